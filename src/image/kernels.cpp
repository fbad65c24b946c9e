// Gaussian and box kernels.

#include <algorithm>
#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "frame/elementary_functions.h"
#include "frame/failure.h"
#include "frame/pair.h"
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
    // Entry (r, c) depends on x² and y² only (x = c + 1 − h, y = r + 1 − h), so each row is made
    // from the values at |x| = 0 … reach of its |y|, and a row whose |y| came before is a copy:
    // exp is called (reach + 1)² times instead of size² times, with the same arguments.
    const int reach = std::max(h - 1, size - h);
    std::vector<double> half(static_cast<std::size_t>(reach) + 1);
    std::vector<int> madeAt(static_cast<std::size_t>(reach) + 1, -1);  // the row made for each |y|
    k.reserve(static_cast<std::size_t>(size));
    for (int r = 0; r < size; ++r) {
      const int y = r + 1 - h;
      const int ay = y < 0 ? -y : y;
      if (madeAt[static_cast<std::size_t>(ay)] >= 0) {
        k.push_back(k[static_cast<std::size_t>(madeAt[static_cast<std::size_t>(ay)])]);
        continue;
      }
      madeAt[static_cast<std::size_t>(ay)] = r;
      for (int a = 0; a <= reach; ++a)
        half[static_cast<std::size_t>(a)] =
            zr_frame::exp(-((static_cast<double>(a * a) + static_cast<double>(y * y)) / ((sigma * 2.0) * sigma))) * coef;
      std::vector<double> row(static_cast<std::size_t>(size));
      for (int c = 0; c < size; ++c) {
        const int x = c + 1 - h;
        row[static_cast<std::size_t>(c)] = half[static_cast<std::size_t>(x < 0 ? -x : x)];
      }
      k.push_back(std::move(row));
    }
    for (const auto& row : k)
      for (double v : row) total = v + total;
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

namespace {

// Exact integer window sums of one output row from column sums whose windows, steps and window
// differences fit 32 bits: o[j] = column[j] + … + column[j + s − 1], formed as a running sum of the
// steps column[j + s − 1] − column[j − 1].
void windowRow(const std::int32_t* column, std::size_t s, std::size_t outCols, std::int32_t* step, double* o) {
  std::int32_t window = 0;
  for (std::size_t c = 0; c < s; ++c) window += column[c];
  for (std::size_t j = 1; j < outCols; ++j) step[j] = column[j + s - 1] - column[j - 1];
  o[0] = static_cast<double>(window);
  std::size_t j = 1;
#if defined(__SSE2__)
  // Four running sums at a time: the steps' prefix sums within the block plus the window before it.
  __m128i carry = _mm_set1_epi32(window);
  for (; j + 4 <= outCols; j += 4) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(step + j));
    v = _mm_add_epi32(v, _mm_slli_si128(v, 4));
    v = _mm_add_epi32(v, _mm_slli_si128(v, 8));
    v = _mm_add_epi32(v, carry);
    _mm_storeu_pd(o + j, _mm_cvtepi32_pd(v));
    _mm_storeu_pd(o + j + 2, _mm_cvtepi32_pd(_mm_shuffle_epi32(v, 0xee)));
    carry = _mm_shuffle_epi32(v, 0xff);
  }
  window = _mm_cvtsi128_si32(carry);
#endif
  for (; j < outCols; ++j) {
    window += step[j];
    o[j] = static_cast<double>(window);
  }
}

}  // namespace

void imageProcessing::boxFilter(std::vector<std::vector<int>> image, int size, bool normalise,
                                std::vector<std::vector<double>>& filtered) {
  const std::size_t cols = detail::checkedColumns(image);
  const std::size_t rows = image.size();
  // Written straight into filtered, reusing the rows it already has.
  std::vector<std::vector<double>>& out = filtered;
  if (size >= 1 && static_cast<std::size_t>(size) <= rows && static_cast<std::size_t>(size) <= cols) {
    const auto s = static_cast<std::size_t>(size);
    // size ≤ the image's sides, so size·size counts pixels that exist and fits 64 bits.
    const double value =
        normalise ? 1.0 / static_cast<double>(static_cast<std::int64_t>(size) * static_cast<std::int64_t>(size)) : 1.0;
    const std::size_t outRows = rows - s + 1, outCols = cols - s + 1;
    // Both paths below write every entry, so rows kept from an earlier call are only resized.
    out.resize(outRows);
    for (auto& row : out) row.resize(outCols);
    // The largest |pixel|, from the smallest and largest pixel (four of each side by side).
    int lo[4] = {0, 0, 0, 0}, hi[4] = {0, 0, 0, 0};
    for (const auto& row : image) {
      const int* p = row.data();
      std::size_t c = 0;
      for (; c + 4 <= cols; c += 4)
        for (std::size_t q = 0; q < 4; ++q) {
          lo[q] = p[c + q] < lo[q] ? p[c + q] : lo[q];
          hi[q] = p[c + q] > hi[q] ? p[c + q] : hi[q];
        }
      for (; c < cols; ++c) {
        lo[0] = p[c] < lo[0] ? p[c] : lo[0];
        hi[0] = p[c] > hi[0] ? p[c] : hi[0];
      }
    }
    std::int64_t largest = 0;
    for (std::size_t q = 0; q < 4; ++q) {
      largest = -static_cast<std::int64_t>(lo[q]) > largest ? -static_cast<std::int64_t>(lo[q]) : largest;
      largest = hi[q] > largest ? hi[q] : largest;
    }
    const double bound = static_cast<double>(s) * static_cast<double>(s) * static_cast<double>(largest);
    if (!normalise && bound <= 1073741823.0) {
      // The same sums in 32 bits: with s²·largest below 2^30 every window, column sum, step, pixel
      // difference and difference of two windows is below 2^31.
      std::vector<std::int32_t> column(cols, 0), step(outCols);
      for (std::size_t r = 0; r < s; ++r) {
        const int* p = image[r].data();
        for (std::size_t c = 0; c < cols; ++c) column[c] += p[c];
      }
      for (std::size_t i = 0;; ++i) {
        windowRow(column.data(), s, outCols, step.data(), out[i].data());
        if (i + 1 == outRows) break;
        const int* enter = image[i + s].data();
        const int* leave = image[i].data();
        for (std::size_t c = 0; c < cols; ++c) column[c] += enter[c] - leave[c];
      }
    } else if (!normalise && bound <= 9007199254740992.0) {
      // Every term is a whole number and every partial sum of a window stays within 2^53, so the
      // row-major sum is exact and equals the integer window sum, whatever order forms it: running
      // column sums down the image and a running window sum along each row.
      // The window's steps column[j + s − 1] − column[j − 1] are formed apart first, so that the
      // running window sum is one addition per output.
      std::vector<std::int64_t> column(cols, 0), step(outCols);
      for (std::size_t r = 0; r < s; ++r)
        for (std::size_t c = 0; c < cols; ++c) column[c] += image[r][c];
      for (std::size_t i = 0;; ++i) {
        std::int64_t window = 0;
        for (std::size_t c = 0; c < s; ++c) window += column[c];
        for (std::size_t j = 1; j < outCols; ++j) step[j] = column[j + s - 1] - column[j - 1];
        double* o = out[i].data();
        o[0] = static_cast<double>(window);
        for (std::size_t j = 1; j < outCols; ++j) {
          window += step[j];
          o[j] = static_cast<double>(window);
        }
        if (i + 1 == outRows) break;
        for (std::size_t c = 0; c < cols; ++c) column[c] += image[i + s][c] - static_cast<std::int64_t>(image[i][c]);
      }
    } else {
      // Each pixel contributes the same rounded term pixel·value to every window; the windows of
      // one output row are summed side by side, each over its own terms in row-major order from
      // 0.0: sixteen windows at a time in eight pairs of sums that stay in registers for the whole
      // window, then pairs, then single windows.
      std::vector<std::vector<double>> term(rows, std::vector<double>(cols));
      for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < cols; ++c) term[r][c] = static_cast<double>(image[r][c]) * value;
      using detail::loadPair;
      using detail::Pair;
      const Pair zero = {0.0, 0.0};
      for (std::size_t i = 0; i < outRows; ++i) {
        double* o = out[i].data();
        std::size_t j = 0;
        for (; j + 16 <= outCols; j += 16) {
          Pair a0 = zero, a1 = zero, a2 = zero, a3 = zero, a4 = zero, a5 = zero, a6 = zero, a7 = zero;
          for (std::size_t r = 0; r < s; ++r) {
            const double* t = term[i + r].data() + j;
            for (std::size_t c = 0; c < s; ++c) {
              a0 = a0 + loadPair(t + c), a1 = a1 + loadPair(t + c + 2);
              a2 = a2 + loadPair(t + c + 4), a3 = a3 + loadPair(t + c + 6);
              a4 = a4 + loadPair(t + c + 8), a5 = a5 + loadPair(t + c + 10);
              a6 = a6 + loadPair(t + c + 12), a7 = a7 + loadPair(t + c + 14);
            }
          }
          detail::storePair(o + j, a0), detail::storePair(o + j + 2, a1);
          detail::storePair(o + j + 4, a2), detail::storePair(o + j + 6, a3);
          detail::storePair(o + j + 8, a4), detail::storePair(o + j + 10, a5);
          detail::storePair(o + j + 12, a6), detail::storePair(o + j + 14, a7);
        }
        for (; j + 2 <= outCols; j += 2) {
          Pair a = zero;
          for (std::size_t r = 0; r < s; ++r) {
            const double* t = term[i + r].data() + j;
            for (std::size_t c = 0; c < s; ++c) a = a + loadPair(t + c);
          }
          detail::storePair(o + j, a);
        }
        for (; j < outCols; ++j) {
          double a = 0.0;
          for (std::size_t r = 0; r < s; ++r) {
            const double* t = term[i + r].data() + j;
            for (std::size_t c = 0; c < s; ++c) a = a + t[c];
          }
          o[j] = a;
        }
      }
    }
  } else {
    out.clear();
  }
}

}  // namespace ZR
