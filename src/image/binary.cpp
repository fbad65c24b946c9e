// Grayscale conversion, Otsu binarisation and morphological opening.

#include <algorithm>
#include <cstdint>
#include <cstring>

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
  // Counts and weighted sums in 64 bits: an image with more than 2^24 pixels of one level
  // (an 8K frame of one colour) would wrap t·count in 32 bits. Below that the values, and so
  // the threshold, are those of 32-bit sums.
  // Four partial histograms so that runs of one level do not wait on one counter, in 32 bits
  // (half the cache lines), added into the 64-bit counts every 2^24 pixels, long before any of
  // them could wrap (rows are taken in pieces of at most that many pixels).
  constexpr std::size_t kFlushPixels = std::size_t{1} << 24;
  std::uint64_t hist[256] = {};
  std::uint32_t part[4][256] = {};
  auto flush = [&]() {
    for (std::size_t t = 0; t < 256; ++t) {
      hist[t] += std::uint64_t{part[0][t]} + part[1][t] + part[2][t] + part[3][t];
      part[0][t] = part[1][t] = part[2][t] = part[3][t] = 0;
    }
  };
  std::size_t pending = 0;  // pixels counted since the last flush, a bound on every partial count
  for (const auto& row : gray) {
    for (std::size_t start = 0; start < cols;) {
      const std::size_t len = std::min(cols - start, kFlushPixels);
      if (pending + len > kFlushPixels) {
        flush();
        pending = 0;
      }
      pending += len;
      const int* p = row.data() + start;
      std::size_t c = 0;
      for (; c + 4 <= len; c += 4)
        for (std::size_t q = 0; q < 4; ++q)
          if (static_cast<unsigned>(p[c + q]) <= 255u) ++part[q][p[c + q]];
      for (; c < len; ++c)
        if (static_cast<unsigned>(p[c]) <= 255u) ++part[0][p[c]];
      start += len;
    }
  }
  flush();

  std::uint64_t total = 0;
  double sumAll = 0.0;
  for (std::uint32_t t = 0; t < 256; ++t) total += hist[t];
  for (std::uint32_t t = 1; t < 256; ++t) sumAll = sumAll + static_cast<double>(t * hist[t]);

  double wB = 0.0, sumB = 0.0, best = 0.0;
  int threshold = 0;
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
      threshold = static_cast<int>(t);
    }
  }

  // The threshold is a whole level, so comparing the int pixel with it is the comparison in double.
  // The rows of this call's own copy of the image become the result rows: each is thresholded in
  // place and cut to the column count.
  result.reserve(result.size() + gray.size());
  for (auto& row : gray) {
    row.resize(cols);
    int* p = row.data();
    std::size_t c = 0;
#if defined(__GNUC__)
    typedef int Int4 __attribute__((vector_size(16)));
    const Int4 limit = {threshold, threshold, threshold, threshold};
    const Int4 bright = {255, 255, 255, 255};
    for (; c + 4 <= cols; c += 4) {
      Int4 v;
      std::memcpy(&v, p + c, sizeof v);
      v = (v > limit) & bright;
      std::memcpy(p + c, &v, sizeof v);
    }
#endif
    for (; c < cols; ++c) p[c] = p[c] <= threshold ? 0 : 255;
    result.push_back(std::move(row));
  }
}

void imageProcessing::imageopen(Image image, Image& opened) {
  detail::checkedColumns(image);
  opened = morphologyPass(morphologyPass(image, 0), 1);
}

}  // namespace ZR
