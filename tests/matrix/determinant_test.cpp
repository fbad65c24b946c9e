#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "support.h"
#include "zr/mathMatrix.h"

namespace {

using V = std::vector<double>;
using Rows = std::vector<V>;
ZR::mathMatrix m;

// Oracle: the first-row expansion on freshly copied minors.
double naive(const Rows& M) {
  if (M.size() == 1) return M[0][0];
  double s = 0.0, sign = 1.0;
  for (std::size_t j = 0; j < M[0].size(); ++j, sign = -sign) {
    Rows minor(M.begin() + 1, M.end());
    for (V& row : minor) row.erase(row.begin() + static_cast<std::ptrdiff_t>(j));
    s = s + (sign * M[0][j]) * naive(minor);
  }
  return s;
}

// Published values; other shapes (every minor that runs out of columns is 0.0) and non-finite
// entries are checked against the oracle below.
TEST(Determinant, ExactValues) {
  const double two[4] = {1, 2, 3, 4}, a[9] = {1, 2, 3, 4, 5, 6, 7, 8, 10}, wide[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(m.detMatrix(two, 2, 2), -2.0);
  EXPECT_EQ(m.detMatrix(a, 3, 3), -3.0);
  EXPECT_EQ(m.detMatrix(wide, 2, 3), 9.0);  // +1·5 − 2·4 + 3·4 (the first-row expansion)
  EXPECT_EQ(m.detMatrix(nullptr, 0, 0), 1.0);
}

// Same bits as the copying expansion (NaN-ness only for NaN: the compiler may commute an addition,
// which picks the payload) on random shapes with repeated, zero and non-finite entries.
TEST(Determinant, MatchesCopyingExpansion) {
  zrtest::Random rng(42);
  const double inf = std::numeric_limits<double>::infinity();
  const double pool[] = {0.0, -0.0, 1.0, -3.0, 0.1, 1e300, -1e-300, inf, std::nan("")};
  for (int trial = 0; trial < 300; ++trial) {
    // Every tenth shape is wider than 32 columns, where the column links move to the heap.
    const int rows = 1 + static_cast<int>(rng.below(trial % 10 ? 6 : 3));
    int cols = static_cast<int>(trial % 10 ? rng.below(11) : 33 + rng.below(8));
    if (cols == rows - 1) cols = rows;
    V a = rng.flat(rows, cols);
    for (double& x : a)
      if (trial % 3 == 0 && rng.below(3) == 0) x = pool[rng.below(9)];
    const V before = a;
    Rows M;
    for (int i = 0; i < rows; ++i) M.emplace_back(a.begin() + i * cols, a.begin() + (i + 1) * cols);
    const double got = m.detMatrix(a.data(), rows, cols), want = naive(M);
    if (std::isnan(want))
      EXPECT_TRUE(std::isnan(got));
    else
      EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << got << " " << want;
    for (std::size_t k = 0; k < a.size(); ++k) EXPECT_EQ(std::memcmp(&a[k], &before[k], sizeof(double)), 0);
  }
}

// Small integers keep every partial sum exact: a triangular matrix gives exactly the product of
// its diagonal, through all n! one-row minors (orders 10 and 20).
TEST(Determinant, LargeOrdersAreExactOnTriangularMatrices) {
  zrtest::Random rng(10);
  for (std::size_t n : {10u, 20u}) {
    V t(n * n, 0.0);
    double expected = 1.0;
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i; j < n; ++j) t[i * n + j] = static_cast<double>(rng.below(5)) - 2.0;
      if (t[i * (n + 1)] == 0.0) t[i * (n + 1)] = -1.0;
      expected *= t[i * (n + 1)];
    }
    EXPECT_EQ(m.detMatrix(t.data(), static_cast<int>(n), static_cast<int>(n)), expected);
  }
}

}  // namespace
