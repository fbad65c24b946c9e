// Sobel gradients, magnitude and direction of the interior pixels.

#include <climits>
#include <cmath>
#include <cstdint>

#include "frame/elementary_functions.h"
#include "image/image_rows.h"
#include "zr/imageProcessing.h"

namespace ZR {
namespace {

using Image = std::vector<std::vector<int>>;

struct Gradient {
  std::int64_t gx;  // exact: |gx| < 2^36 for any int pixels
  std::int64_t gy;
};

Gradient gradientAt(const Image& I, std::size_t i, std::size_t j) {
  auto p = [&](std::size_t r, std::size_t c) { return static_cast<std::int64_t>(I[r][c]); };
  return {2 * (p(i, j + 1) - p(i, j - 1)) - p(i + 1, j - 1) - p(i - 1, j - 1) + p(i + 1, j + 1) + p(i - 1, j + 1),
          2 * (p(i + 1, j) - p(i - 1, j)) - p(i - 1, j - 1) - p(i - 1, j + 1) + p(i + 1, j + 1) + p(i + 1, j - 1)};
}

int saturate(std::int64_t v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// trunc(sqrt(gx² + gy²)). The squares and their sum are exact in double whenever they fit 32 bits,
// so this equals the integer formula there, and stays defined beyond it.
int magnitudeOf(const Gradient& g) {
  const double x = static_cast<double>(g.gx), y = static_cast<double>(g.gy);
  const double m = std::trunc(std::sqrt(x * x + y * y));
  return m >= 2147483647.0 ? INT_MAX : static_cast<int>(m);
}

int directionOf(const Gradient& g) {
  int a = static_cast<int>(
      std::trunc(zr_frame::atan2(static_cast<double>(g.gy), static_cast<double>(g.gx)) * 180.0 / 3.1415926));
  if (a < 0) a = a + 360;
  return a;
}

// Runs over the interior pixels row by row; replaces the outputs only after the checks.
void gradients(const Image& image, Image& gx, Image& gy, Image& magnitude, Image* direction) {
  const std::size_t cols = detail::checkedColumns(image);
  const std::size_t rows = image.size();
  Image ox, oy, om, oa;
  if (rows >= 3 && cols >= 3) {
    const std::size_t n = cols - 2;
    for (std::size_t i = 1; i + 1 < rows; ++i) {
      std::vector<int> rx, ry, rm, ra;
      rx.reserve(n), ry.reserve(n), rm.reserve(n);
      if (direction) ra.reserve(n);
      for (std::size_t j = 1; j + 1 < cols; ++j) {
        const Gradient g = gradientAt(image, i, j);
        rx.push_back(saturate(g.gx));
        ry.push_back(saturate(g.gy));
        rm.push_back(magnitudeOf(g));
        if (direction) ra.push_back(directionOf(g));
      }
      ox.push_back(std::move(rx));
      oy.push_back(std::move(ry));
      om.push_back(std::move(rm));
      if (direction) oa.push_back(std::move(ra));
    }
  }
  gx = std::move(ox);
  gy = std::move(oy);
  magnitude = std::move(om);
  if (direction) *direction = std::move(oa);
}

}  // namespace

void imageProcessing::sobel(Image image, Image& gx, Image& gy, Image& magnitude) {
  gradients(image, gx, gy, magnitude, nullptr);
}

void imageProcessing::canny(Image image, Image& gx, Image& gy, Image& magnitude, Image& direction) {
  gradients(image, gx, gy, magnitude, &direction);
}

}  // namespace ZR
