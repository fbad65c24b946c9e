// Gaussian and box kernels.

#include <cmath>
#include <cstdint>

#include "frame/elementary_functions.h"
#include "frame/failure.h"
#include "image/image_rows.h"
#include "zr/imageProcessing.h"

namespace ZR {

std::vector<std::vector<double>> imageProcessing::getGaussianKernel(int size, double sigma, bool normalise) {
  // Beyond 46340 the kernel's element count size² no longer fits an int.
  if (size > 46340) detail::throwLengthError();
  const int h = static_cast<int>(std::trunc(size * 0.5 + 0.5));
  const double coef = 1.0 / ((sigma * 6.283185307179586) * sigma);
  double total = 0.0;
  std::vector<std::vector<double>> k;
  if (size >= 1) {
    k.reserve(static_cast<std::size_t>(size));
    for (int r = 0; r < size; ++r) {
      const int y = r + 1 - h;
      std::vector<double> row;
      row.reserve(static_cast<std::size_t>(size));
      for (int c = 0; c < size; ++c) {
        const int x = c + 1 - h;
        const double v =
            zr_frame::exp(-((static_cast<double>(x * x) + static_cast<double>(y * y)) / ((sigma * 2.0) * sigma))) * coef;
        row.push_back(v);
        total = v + total;
      }
      k.push_back(std::move(row));
    }
  }
  if (normalise) {
    for (auto& row : k)
      for (double& e : row) e = e / total;
  } else if (!k.empty()) {
    const double f = 1.0 / k[0][0];
    for (auto& row : k)
      for (double& e : row) e = std::trunc(e * f);
  }
  return k;
}

void imageProcessing::boxFilter(std::vector<std::vector<int>> image, int size, bool normalise,
                                std::vector<std::vector<double>>& filtered) {
  const std::size_t cols = detail::checkedColumns(image);
  const std::size_t rows = image.size();
  std::vector<std::vector<double>> out;
  if (size >= 1 && static_cast<std::size_t>(size) <= rows && static_cast<std::size_t>(size) <= cols) {
    const auto s = static_cast<std::size_t>(size);
    // size ≤ the image's sides, so size·size counts pixels that exist and fits 64 bits.
    const double value =
        normalise ? 1.0 / static_cast<double>(static_cast<std::int64_t>(size) * static_cast<std::int64_t>(size)) : 1.0;
    out.assign(rows - s + 1, std::vector<double>(cols - s + 1));
    for (std::size_t i = 0; i + s <= rows; ++i)
      for (std::size_t j = 0; j + s <= cols; ++j) {
        double sum = 0.0;
        for (std::size_t r = 0; r < s; ++r)
          for (std::size_t c = 0; c < s; ++c) sum = sum + static_cast<double>(image[i + r][j + c]) * value;
        out[i][j] = sum;
      }
  }
  filtered = std::move(out);
}

}  // namespace ZR
