// Sobel gradients, magnitude and direction of the interior pixels.

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Pixels within ±2^27 keep every gradient below 2^30 in magnitude, so 32-bit arithmetic gives the
// exact gradients and the magnitude never reaches INT_MAX.

bool narrowPixels(const Image& image, std::size_t cols) {
  // v is within ±2^27 exactly when v + 2^27, taken modulo 2^32, is at most 2^28.
  const unsigned shift = 1u << 27, limit = 1u << 28;
  bool wide = false;
  for (const auto& row : image) {
    const int* p = row.data();
    std::size_t j = 0;
#if defined(__GNUC__)
    typedef unsigned U4 __attribute__((vector_size(16)));
    U4 any = {0u, 0u, 0u, 0u};
    for (; j + 4 <= cols; j += 4) {
      U4 v;
      std::memcpy(&v, p + j, sizeof v);
      any |= (U4)((v + shift) > limit);
    }
    wide = wide || (any[0] | any[1] | any[2] | any[3]) != 0u;
#endif
    for (; j < cols; ++j) wide = wide || static_cast<unsigned>(p[j]) + shift > limit;
  }
  return !wide;
}

// trunc(sqrt(x² + y²)) of n exact gradients below 2^30, as magnitudeOf computes it, two at a time
// where SSE2 is there (the square root is correctly rounded either way).
void magnitudes(const int* gx, const int* gy, int* m, std::size_t n) {
  std::size_t j = 0;
#if defined(__SSE2__)
  for (; j + 2 <= n; j += 2) {
    const __m128d x = _mm_cvtepi32_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(gx + j)));
    const __m128d y = _mm_cvtepi32_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(gy + j)));
    const __m128d r = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(x, x), _mm_mul_pd(y, y)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(m + j), _mm_cvttpd_epi32(r));
  }
#endif
  for (; j < n; ++j) m[j] = magnitudeOf({gx[j], gy[j]});
}

// Gives out rows × cols entries; rows the caller's image already has keep their storage.
void shape(Image& out, std::size_t rows, std::size_t cols) {
  out.resize(rows);
  for (auto& row : out) row.resize(cols);
}

// Runs over the interior pixels row by row. The outputs are written in place when they are four
// distinct images (their storage is reused), else built aside and moved in at the end in the
// order gx, gy, magnitude, direction.
void gradients(const Image& image, Image& gx, Image& gy, Image& magnitude, Image* direction) {
  const std::size_t cols = detail::checkedColumns(image);
  const std::size_t rows = image.size();
  const bool distinct = &gx != &gy && &gx != &magnitude && &gy != &magnitude &&
                        (direction == nullptr || (direction != &gx && direction != &gy && direction != &magnitude));
  Image ox, oy, om, oa;
  Image& wx = distinct ? gx : ox;
  Image& wy = distinct ? gy : oy;
  Image& wm = distinct ? magnitude : om;
  Image& wa = distinct && direction ? *direction : oa;
  if (rows >= 3 && cols >= 3) {
    const std::size_t n = cols - 2;
    shape(wx, rows - 2, n);
    shape(wy, rows - 2, n);
    shape(wm, rows - 2, n);
    if (direction) shape(wa, rows - 2, n);
    const bool narrow = narrowPixels(image, cols);
    for (std::size_t i = 1; i + 1 < rows; ++i) {
      int* rx = wx[i - 1].data();
      int* ry = wy[i - 1].data();
      int* rm = wm[i - 1].data();
      if (narrow) {
        const int* up = image[i - 1].data();
        const int* mid = image[i].data();
        const int* down = image[i + 1].data();
        std::size_t j = 1;
#if defined(__GNUC__)
        // Four pixels at a time; the int lanes do exactly the scalar integer operations.
        typedef int Int4 __attribute__((vector_size(16)));
        auto load = [](const int* q) {
          Int4 v;
          std::memcpy(&v, q, sizeof v);
          return v;
        };
        for (; j + 5 <= cols; j += 4) {
          const Int4 ul = load(up + j - 1), uc = load(up + j), ur = load(up + j + 1);
          const Int4 ml = load(mid + j - 1), mr = load(mid + j + 1);
          const Int4 dl = load(down + j - 1), dc = load(down + j), dr = load(down + j + 1);
          const Int4 x = 2 * (mr - ml) - dl - ul + dr + ur;
          const Int4 y = 2 * (dc - uc) - ul - ur + dr + dl;
          std::memcpy(rx + j - 1, &x, sizeof x);
          std::memcpy(ry + j - 1, &y, sizeof y);
        }
#endif
        for (; j + 1 < cols; ++j) {
          rx[j - 1] = 2 * (mid[j + 1] - mid[j - 1]) - down[j - 1] - up[j - 1] + down[j + 1] + up[j + 1];
          ry[j - 1] = 2 * (down[j] - up[j]) - up[j - 1] - up[j + 1] + down[j + 1] + down[j - 1];
        }
        magnitudes(rx, ry, rm, n);
        if (direction)
          for (std::size_t k = 0; k < n; ++k) wa[i - 1][k] = directionOf({rx[k], ry[k]});
      } else {
        for (std::size_t j = 1; j + 1 < cols; ++j) {
          const Gradient g = gradientAt(image, i, j);
          rx[j - 1] = saturate(g.gx);
          ry[j - 1] = saturate(g.gy);
          rm[j - 1] = magnitudeOf(g);
          if (direction) wa[i - 1][j - 1] = directionOf(g);
        }
      }
    }
  } else {
    wx.clear(), wy.clear(), wm.clear();
    if (direction) wa.clear();
  }
  if (!distinct) {
    gx = std::move(ox);
    gy = std::move(oy);
    magnitude = std::move(om);
    if (direction) *direction = std::move(oa);
  }
}

}  // namespace

void imageProcessing::sobel(Image image, Image& gx, Image& gy, Image& magnitude) {
  gradients(image, gx, gy, magnitude, nullptr);
}

void imageProcessing::canny(Image image, Image& gx, Image& gy, Image& magnitude, Image& direction) {
  gradients(image, gx, gy, magnitude, &direction);
}

}  // namespace ZR
