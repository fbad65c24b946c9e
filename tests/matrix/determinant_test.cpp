#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

#include "random_matrix.h"
#include "zr/mathMatrix.h"

namespace {

using ZR::mathMatrix;
using Rows = std::vector<std::vector<double>>;

// Independent oracle: the expansion on freshly built vector-of-rows minors.
double naiveExpansion(const Rows& M) {
  if (M.size() == 1) return M[0][0];
  double s = 0.0;
  double sign = 1.0;
  for (std::size_t j = 0; j < M[0].size(); ++j) {
    Rows minor;
    for (std::size_t i = 1; i < M.size(); ++i) {
      std::vector<double> row = M[i];
      row.erase(row.begin() + static_cast<std::ptrdiff_t>(j));
      minor.push_back(row);
    }
    s = s + (sign * M[0][j]) * naiveExpansion(minor);
    sign = -sign;
  }
  return s;
}

double naiveDet(const std::vector<double>& a, int rows, int cols) {
  Rows M;
  for (int i = 0; i < rows; ++i) M.emplace_back(a.begin() + i * cols, a.begin() + (i + 1) * cols);
  return naiveExpansion(M);
}

// Identical bits, or both NaN: which operand's NaN payload an addition keeps is the compiler's
// choice (it may commute the operands), so only NaN-ness is reproducible.
bool sameBits(double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
  return std::memcmp(&x, &y, sizeof x) == 0;
}

TEST(Determinant, ExactValues) {
  mathMatrix m;
  const double one[1] = {5};
  EXPECT_EQ(m.detMatrix(one, 1, 1), 5.0);
  const double two[4] = {1, 2, 3, 4};
  EXPECT_EQ(m.detMatrix(two, 2, 2), -2.0);
  const double diag[9] = {2, 0, 0, 0, 3, 0, 0, 0, 4};
  EXPECT_EQ(m.detMatrix(diag, 3, 3), 24.0);
  const double a[9] = {1, 2, 3, 4, 5, 6, 7, 8, 10};
  const double at[9] = {1, 4, 7, 2, 5, 8, 3, 6, 10};
  EXPECT_EQ(m.detMatrix(a, 3, 3), -3.0);
  EXPECT_EQ(m.detMatrix(at, 3, 3), -3.0);
  for (int n = 2; n <= 4; ++n) {
    std::vector<double> id(static_cast<std::size_t>(n * n), 0.0);
    for (int i = 0; i < n; ++i) id[static_cast<std::size_t>(i * n + i)] = 1.0;
    EXPECT_EQ(m.detMatrix(id.data(), n, n), 1.0);
    std::swap_ranges(id.begin(), id.begin() + n, id.begin() + n);  // swap rows 0 and 1
    EXPECT_EQ(m.detMatrix(id.data(), n, n), -1.0) << n;
  }
}

TEST(Determinant, OtherShapes) {
  mathMatrix m;
  const double wide[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(m.detMatrix(wide, 2, 3), 9.0);  // +1·5 − 2·4 + 3·4
  EXPECT_EQ(m.detMatrix(nullptr, 3, 0), 0.0);
  const double tall[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(m.detMatrix(tall, 4, 2), 0.0);  // minors run out of columns
  EXPECT_EQ(m.detMatrix(nullptr, 0, 0), 1.0);
  EXPECT_EQ(m.detMatrix(nullptr, -2, 5), 1.0);
  // A one-row minor without entries contributes 0.0.
  EXPECT_EQ(m.detMatrix(nullptr, 1, 0), 0.0);
  EXPECT_EQ(m.detMatrix(wide, 2, 1), 0.0);
  EXPECT_EQ(m.detMatrix(wide, 3, 2), 0.0);
  EXPECT_EQ(m.detMatrix(wide, 1, -3), 0.0);
}

// The same bits as the expansion on copied minors, for square and non-square shapes with
// repeated values, zeros and non-finite entries; the caller's array is never written.
TEST(Determinant, MatchesCopyingExpansionBitForBit) {
  mathMatrix m;
  zrtest::Random rng(42u);
  const double pool[] = {0.0,
                         -0.0,
                         1.0,
                         -3.0,
                         0.1,
                         1e300,
                         -1e-300,
                         std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()};
  for (int trial = 0; trial < 300; ++trial) {
    const int rows = 1 + static_cast<int>(rng.below(6));
    int cols = static_cast<int>(rng.below(8));
    if (cols == rows - 1) cols = rows;
    std::vector<double> a = rng.flat(rows, cols);
    const bool special = trial % 3 == 0;
    for (double& x : a)
      if (special && rng.below(3) == 0) x = pool[rng.below(sizeof pool / sizeof pool[0])];
    const std::vector<double> before = a;
    const double got = m.detMatrix(a.data(), rows, cols);
    const double want = naiveDet(a, rows, cols);
    EXPECT_TRUE(sameBits(got, want)) << rows << "x" << cols << " trial " << trial << " " << got << " " << want;
    EXPECT_EQ(std::memcmp(a.data(), before.data(), a.size() * sizeof(double)), 0);
  }
}

// Small integer entries keep every partial sum exact, so a triangular matrix of order 10 gives
// exactly the product of its diagonal, through all 10! one-row minors.
TEST(Determinant, OrderTenTriangular) {
  mathMatrix m;
  zrtest::Random rng(10u);
  const int n = 10;
  std::vector<double> a(static_cast<std::size_t>(n * n), 0.0);
  double expected = 1.0;
  for (int i = 0; i < n; ++i) {
    for (int j = i; j < n; ++j)
      a[static_cast<std::size_t>(i * n + j)] = static_cast<double>(rng.below(7)) - 3.0;
    double& d = a[static_cast<std::size_t>(i * n + i)];
    if (d == 0.0) d = 2.0;
    expected *= d;
  }
  EXPECT_EQ(m.detMatrix(a.data(), n, n), expected);
}

TEST(Determinant, ProductRule) {
  mathMatrix m;
  zrtest::Random rng(5u);
  for (int trial = 0; trial < 20; ++trial) {
    const std::vector<double> A = rng.flat(5, 5);
    const std::vector<double> B = rng.flat(5, 5);
    std::vector<double> C(25);
    m.matrixMulmats(A.data(), B.data(), C.data(), 5, 5, 5);
    const double lhs = m.detMatrix(C.data(), 5, 5);
    const double rhs = m.detMatrix(A.data(), 5, 5) * m.detMatrix(B.data(), 5, 5);
    EXPECT_NEAR(lhs, rhs, 1e-12) << trial;
  }
}

}  // namespace
