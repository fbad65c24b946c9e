#include "zr/convolutionMath.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "frame/failure.h"
#include "frame/pair.h"

namespace ZR {

namespace {

// The output length a − 1 + b is formed as an int and used as an unsigned count: −1 (both
// empty) and anything past INT_MAX ask for more than a vector can hold.
std::size_t fullLength(std::size_t a, std::size_t b) {
  if (a + b == 0 || a + b - 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    detail::throwLengthError();
  return a + b - 1;
}

}  // namespace

void convolutionMath::conv(std::vector<double> u, std::vector<double> v, std::vector<double>& w) {
  const std::size_t m = u.size();
  const std::size_t n = v.size();
  const std::size_t len = fullLength(m, n);
  w.resize(len);
  // t runs over the shorter input; only the t with a valid partner index contribute, in
  // ascending order, so the loop may start and stop there.
  const std::vector<double>& shortIn = m <= n ? u : v;
  const std::vector<double>& longIn = m <= n ? v : u;
  const std::size_t s = shortIn.size();
  const std::size_t l = longIn.size();
  if (s == 0) return;
  // With t in the outer loop every w[k] still receives its products in ascending t, and the
  // inner loop runs over independent entries: w[t + j] := shortIn[t]·longIn[j] + w[t + j].
  double* out = w.data();
  const double* lo = longIn.data();
  for (std::size_t t = 0; t < s; ++t) {
    const double a = shortIn[t];
    const detail::Pair ap = {a, a};
    double* o = out + t;
    std::size_t j = 0;
    for (; j + 4 <= l; j += 4) {
      const detail::Pair p0 = ap * detail::loadPair(lo + j) + detail::loadPair(o + j);
      const detail::Pair p1 = ap * detail::loadPair(lo + j + 2) + detail::loadPair(o + j + 2);
      detail::storePair(o + j, p0);
      detail::storePair(o + j + 2, p1);
    }
    for (; j < l; ++j) o[j] = a * lo[j] + o[j];
  }
}

void convolutionMath::conv2(std::vector<std::vector<double>> A, std::vector<std::vector<double>> B,
                            std::vector<std::vector<double>>& C) {
  const std::size_t ma = A.size();
  const std::size_t mb = B.size();
  const std::size_t na = ma != 0 ? A[0].size() : 0;  // a matrix without rows has no columns
  const std::size_t nb = mb != 0 ? B[0].size() : 0;
  for (const auto& row : A)
    if (row.size() < na) detail::throwOutOfRange();
  for (const auto& row : B)
    if (row.size() < nb) detail::throwOutOfRange();
  const std::size_t cols = fullLength(nb, na);
  const std::size_t rows = ma + mb == 0 ? 0 : ma + mb - 1;

  C.resize(rows);
  for (auto& row : C) row.resize(cols);
  if (ma == 0 || na == 0) return;  // no (i, j) at all: no entry is written

  // Entry (r, c) sums a[i][j]·b[r − i][c − j] over the i with 0 ≤ r − i < mb, then the j with
  // 0 ≤ c − j < nb, in ascending order, rounding the running sum to float after every term. The
  // loops run over i, then k = c − j downwards (j upwards), then j: every entry still receives its
  // terms in that order, and the innermost loop updates independent entries of row r.
  for (std::size_t r = 0; r < rows; ++r) {
    double* out = C[r].data();
    for (std::size_t c = 0; c < cols; ++c) out[c] = 0.0;  // the float sum starts at 0
    const std::size_t iFirst = r >= mb ? r - mb + 1 : 0;
    const std::size_t iLast = std::min(ma - 1, r);
    for (std::size_t i = iFirst; i <= iLast; ++i) {
      const double* a = A[i].data();
      const double* b = B[r - i].data();
      for (std::size_t k = nb; k-- > 0;) {
        const double bk = b[k];
        const detail::Pair bp = {bk, bk};
        double* o = out + k;
        std::size_t j = 0;
        for (; j + 2 <= na; j += 2)
          detail::storePair(o + j, detail::roundedToFloat(detail::loadPair(a + j) * bp + detail::loadPair(o + j)));
        for (; j < na; ++j) o[j] = static_cast<double>(static_cast<float>(a[j] * bk + o[j]));
      }
    }
  }
}

}  // namespace ZR
