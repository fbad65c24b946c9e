#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "random_matrix.h"
#include "zr/mathMatrix.h"

namespace {

using ZR::mathMatrix;

std::size_t idx(int i, int j, int n) { return static_cast<std::size_t>(i * n + j); }

TEST(FlatAlgebra, TransposeProductTrace) {
  mathMatrix m;
  const double src[6] = {1, 2, 3, 4, 5, 6};
  double dst[6] = {};
  m.rotateMat(src, dst, 2, 3);
  EXPECT_EQ(std::vector<double>(dst, dst + 6), (std::vector<double>{1, 4, 2, 5, 3, 6}));

  const double A[6] = {1, 2, 3, 4, 5, 6};     // 2 × 3
  const double B[6] = {7, 8, 9, 10, 11, 12};  // 3 × 2
  double C[4] = {};
  m.matrixMulmats(A, B, C, 2, 3, 2);
  EXPECT_EQ(std::vector<double>(C, C + 4), (std::vector<double>{58, 64, 139, 154}));

  double Z[6] = {9, 9, 9, 9, 9, 9};
  m.matrixMulmats(A, B, Z, 2, 0, 3);  // empty inner dimension: zeros
  EXPECT_EQ(std::vector<double>(Z, Z + 6), std::vector<double>(6, 0.0));
  double untouched[2] = {9, 9};
  m.matrixMulmats(A, B, untouched, 0, 3, 2);
  m.matrixMulmats(A, B, untouched, 2, 3, 0);
  m.rotateMat(src, untouched, 0, 3);
  EXPECT_EQ(untouched[0], 9.0);
  EXPECT_EQ(untouched[1], 9.0);

  const double D[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(m.traceMat(D, 3), 15.0);
  EXPECT_EQ(m.traceMat(D, 0), 0.0);
  EXPECT_EQ(m.traceMat(D, -4), 0.0);
}

TEST(FlatAlgebra, InverseExactValues) {
  mathMatrix m;
  double a[4] = {4, 7, 2, 6};  // pivot 7 at (0, 1): a column exchange and its undoing
  m.invMat(a, 2);
  EXPECT_EQ(std::vector<double>(a, a + 4),
            (std::vector<double>{0.6, -0.7000000000000001, -0.19999999999999996, 0.4}));

  double b[9] = {1, 2, 3, 0, 1, 4, 5, 6, 0};
  m.invMat(b, 3);
  EXPECT_EQ(std::vector<double>(b, b + 9),
            (std::vector<double>{-24.000000000000085, 18.000000000000064, 5.000000000000017,
                                 20.000000000000068, -15.000000000000052, -4.000000000000013,
                                 -5.000000000000017, 4.000000000000012, 1.0000000000000033}));

  double d[9] = {2, 0, 0, 0, 4, 0, 0, 0, 8};
  m.invMat(d, 3);
  const double diag[9] = {0.5, 0, 0, 0, 0.25, 0, 0, 0, 0.125};
  const bool negative[9] = {false, true, false, true, false, true, true, false, false};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(d[i], diag[i]) << i;
    EXPECT_EQ(std::signbit(d[i]), negative[i]) << i;
  }

  double s[4] = {1, 2, 2, 4};  // singular: the second step pivots at row 0 and column 0
  m.invMat(s, 2);
  EXPECT_EQ(std::vector<double>(s, s + 4), (std::vector<double>{1, 2, 2, 4}));

  double e[1] = {3.5};
  m.invMat(e, 0);
  m.invMat(e, -1);
  EXPECT_EQ(e[0], 3.5);
}

// Diagonally dominant random matrices are well conditioned, so A·inv(A) is I to rounding.
TEST(FlatAlgebra, InverseTimesMatrixIsIdentity) {
  mathMatrix m;
  zrtest::Random rng(4u);
  for (int n = 1; n <= 25; ++n) {
    std::vector<double> A = rng.flat(n, n);
    for (int i = 0; i < n; ++i) A[idx(i, i, n)] += (i % 2 == 0 ? 1.0 : -1.0) * static_cast<double>(n);
    std::vector<double> inv = A;
    m.invMat(inv.data(), n);
    std::vector<double> P(A.size());
    m.matrixMulmats(A.data(), inv.data(), P.data(), n, n, n);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        EXPECT_NEAR(P[idx(i, j, n)], i == j ? 1.0 : 0.0, 1e-13) << n << ' ' << i << ' ' << j;
  }
}

// Above order 20 the exchange records grow with the matrix: a permutation matrix, which needs an
// exchange at nearly every step, inverts exactly to its transpose.
TEST(FlatAlgebra, InverseOfLargePermutationIsTranspose) {
  mathMatrix m;
  const int n = 30;
  std::vector<double> P(static_cast<std::size_t>(n * n), 0.0);
  for (int i = 0; i < n; ++i) P[idx(i, (7 * i + 3) % n, n)] = 1.0;
  std::vector<double> inv = P;
  m.invMat(inv.data(), n);
  std::vector<double> T(P.size());
  m.rotateMat(P.data(), T.data(), n, n);
  EXPECT_EQ(inv, T);

  // No pivot anywhere: every step exchanges with row and column 0 and the call completes, its
  // records as long as the matrix.
  std::vector<double> zero(static_cast<std::size_t>(n * n), 0.0);
  m.invMat(zero.data(), n);
  for (const double v : zero) EXPECT_FALSE(std::isfinite(v));
}

}  // namespace
