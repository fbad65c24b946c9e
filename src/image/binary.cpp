// Grayscale conversion, Otsu binarisation and morphological opening.

#include <cstdint>

#include "image/image_rows.h"
#include "zr/imageProcessing.h"

namespace ZR {
namespace {

using Image = std::vector<std::vector<int>>;

// One pass of the structuring element {left, self, right, above} over the interior of in: a pixel
// becomes `hit` when one of its left, right or upper neighbours equals `hit`, else keeps its value.
Image morphologyPass(const Image& in, int hit) {
  Image out;
  const std::size_t rows = in.size();
  const std::size_t cols = rows == 0 ? 0 : in[0].size();
  if (rows < 3 || cols < 3) return out;
  out.reserve(rows - 2);
  for (std::size_t i = 1; i + 1 < rows; ++i) {
    std::vector<int> row;
    row.reserve(cols - 2);
    for (std::size_t j = 1; j + 1 < cols; ++j) {
      const bool touched = in[i][j - 1] == hit || in[i][j + 1] == hit || in[i - 1][j] == hit;
      row.push_back(touched ? hit : in[i][j]);
    }
    out.push_back(std::move(row));
  }
  return out;
}

}  // namespace

void imageProcessing::rgbImage2Grayscale(std::vector<std::vector<colorChannel>> colour, Image& gray) {
  if (!gray.empty() || colour.empty()) return;
  const std::size_t cols = detail::checkedColumns(colour);
  Image out;
  out.reserve(colour.size());
  for (const auto& src : colour) {
    std::vector<int> row;
    row.reserve(cols);
    for (std::size_t c = 0; c < cols; ++c) {
      // In 64 bits the weighted sum cannot overflow; the quotient always fits an int again.
      const std::int64_t s = 11 * static_cast<std::int64_t>(src[c].red) + 16 * static_cast<std::int64_t>(src[c].green) +
                             5 * static_cast<std::int64_t>(src[c].blue);
      row.push_back(static_cast<int>(s / 32));
    }
    out.push_back(std::move(row));
  }
  gray = std::move(out);
}

void imageProcessing::imageBinaryzation(Image gray, Image& result) {
  const std::size_t cols = detail::checkedColumns(gray);
  std::uint32_t hist[256] = {};
  for (const auto& row : gray)
    for (std::size_t c = 0; c < cols; ++c)
      if (row[c] >= 0 && row[c] <= 255) ++hist[row[c]];

  std::uint32_t total = 0;
  double sumAll = 0.0;
  for (std::uint32_t t = 0; t < 256; ++t) total += hist[t];
  for (std::uint32_t t = 1; t < 256; ++t) sumAll = sumAll + static_cast<double>(t * hist[t]);

  double wB = 0.0, sumB = 0.0, best = 0.0, threshold = 0.0;
  for (std::uint32_t t = 0; t < 256; ++t) {
    wB = wB + static_cast<double>(hist[t]);
    if (wB == 0.0) continue;
    const double wF = static_cast<double>(total) - wB;
    if (wF == 0.0) break;
    sumB = sumB + static_cast<double>(t * hist[t]);
    const double mB = sumB / wB;
    const double mF = (sumAll - sumB) / wF;
    const double d = mB - mF;
    const double between = ((wF * wB) * d) * d;
    if (between > best) {
      best = between;
      threshold = static_cast<double>(t);
    }
  }

  Image out;
  out.reserve(gray.size());
  for (const auto& row : gray) {
    std::vector<int> o;
    o.reserve(cols);
    for (std::size_t c = 0; c < cols; ++c) o.push_back(static_cast<double>(row[c]) <= threshold ? 0 : 255);
    out.push_back(std::move(o));
  }
  result.reserve(result.size() + out.size());
  for (auto& row : out) result.push_back(std::move(row));
}

void imageProcessing::imageopen(Image image, Image& opened) {
  detail::checkedColumns(image);
  opened = morphologyPass(morphologyPass(image, 0), 1);
}

}  // namespace ZR
