#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support.h"
#include "zr/mathMatrix.h"

namespace {

using V = std::vector<double>;
ZR::mathMatrix m;

// Row-major flat arrays. The product sums k from 0; an empty inner dimension writes zeros and no
// rows write nothing. invMat is Gauss–Jordan with full pivoting: the 2 × 2 below exchanges a column
// (pivot 7 at (0, 1)) and undoes it; a singular step finds no pivot and exchanges with row and
// column 0, leaving the matrix as it was.
TEST(FlatAlgebra, ExactValuesAndDecisions) {
  const double a[6] = {1, 2, 3, 4, 5, 6}, b[6] = {7, 8, 9, 10, 11, 12};
  double t[6] = {}, c[6] = {9, 9, 9, 9, 9, 9};
  m.rotateMat(a, t, 2, 3);
  EXPECT_EQ(V(t, t + 6), (V{1, 4, 2, 5, 3, 6}));
  m.matrixMulmats(a, b, c, 2, 3, 2);
  EXPECT_EQ(V(c, c + 6), (V{58, 64, 139, 154, 9, 9}));
  m.matrixMulmats(a, b, c, 0, 3, 2);
  m.matrixMulmats(a, b, c, 2, 0, 3);
  EXPECT_EQ(V(c, c + 6), V(6, 0.0));
  EXPECT_TRUE(m.traceMat(b, 2) == 17.0 && m.traceMat(b, 0) == 0.0);
  V p{4, 7, 2, 6}, s{1, 2, 2, 4}, e{3.5};
  m.invMat(p.data(), 2);
  EXPECT_EQ(p, (V{0.6, -0.7000000000000001, -0.19999999999999996, 0.4}));
  m.invMat(s.data(), 2);
  EXPECT_EQ(s, (V{1, 2, 2, 4}));
  m.invMat(e.data(), 0);
  EXPECT_EQ(e, V{3.5});
}

// Orders 1 to 25, beyond 20 too: diagonally dominant matrices are well conditioned.
TEST(FlatAlgebra, InverseTimesMatrixIsIdentity) {
  zrtest::Random rng(4);
  for (int n = 1; n <= 25; ++n) {
    V A = rng.flat(n, n), P(A.size());
    for (int i = 0; i < n; ++i) A[static_cast<std::size_t>(i * n + i)] += (i % 2 ? -n : n);
    V inv = A;
    m.invMat(inv.data(), n);
    m.matrixMulmats(A.data(), inv.data(), P.data(), n, n, n);
    for (int k = 0; k < n * n; ++k)
      EXPECT_NEAR(P[static_cast<std::size_t>(k)], k % (n + 1) ? 0.0 : 1.0, 1e-13);
  }
}

// A permutation needs an exchange at nearly every step; order 30 inverts exactly to the transpose.
// The zero matrix of that order completes too (every step exchanges with row and column 0).
TEST(FlatAlgebra, LargeOrders) {
  const int n = 30;
  V P(900, 0.0), T(900), zero(900, 0.0);
  for (int i = 0; i < n; ++i) P[static_cast<std::size_t>(i * n + (7 * i + 3) % n)] = 1.0;
  m.rotateMat(P.data(), T.data(), n, n);
  m.invMat(P.data(), n);
  EXPECT_EQ(P, T);
  m.invMat(zero.data(), n);
  for (const double v : zero) EXPECT_FALSE(std::isfinite(v));
}

}  // namespace
