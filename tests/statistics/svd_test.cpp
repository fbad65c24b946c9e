#include <gtest/gtest.h>

#include <cmath>

#include "support.h"
#include "zr/SVD.h"

namespace {

using Rows = std::vector<std::vector<double>>;
using ZR::SVD;

// U·S·V after negating the columns of U whose sign disagrees with their row of V (the two
// eigen-decompositions choose signs independently). Signs are matched through A·vᵢ ≈ σᵢ·uᵢ.
Rows reconstruct(const Rows& A, Rows U, const Rows& S, const Rows& V) {
  const std::size_t m = U.size(), n = V.size();
  for (std::size_t i = 0; i < m && i < n; ++i) {
    double dot = 0;
    for (std::size_t r = 0; r < m; ++r) {
      double av = 0;
      for (std::size_t c = 0; c < n; ++c) av += A[r][c] * V[i][c];
      dot += av * U[r][i];
    }
    if (dot < 0)
      for (std::size_t r = 0; r < m; ++r) U[r][i] = -U[r][i];
  }
  Rows out(m, std::vector<double>(n, 0.0));
  for (std::size_t r = 0; r < m; ++r)
    for (std::size_t c = 0; c < n; ++c)
      for (std::size_t k = 0; k < m; ++k)
        for (std::size_t l = 0; l < n; ++l) out[r][c] += U[r][k] * S[k][l] * V[l][c];
  return out;
}

void expectOrthonormal(const Rows& M, bool columns) {
  const std::size_t n = M.size();
  for (std::size_t a = 0; a < n; ++a)
    for (std::size_t b = 0; b < n; ++b) {
      double d = 0;
      for (std::size_t k = 0; k < n; ++k) d += columns ? M[k][a] * M[k][b] : M[a][k] * M[b][k];
      EXPECT_NEAR(d, a == b ? 1.0 : 0.0, 1e-12);
    }
}

// [[3, 0], [4, 5]] has singular values √45 and √5; U and V from the eigenvectors of A·Aᵀ and Aᵀ·A.
TEST(Svd, KnownDecomposition) {
  SVD svd;
  Rows U{{9}}, S, V{{1, 2, 3}};
  svd.compute({{3, 0}, {4, 5}}, U, S, V);
  EXPECT_EQ(S, (Rows{{6.708203932499369, 0}, {0, 2.23606797749979}}));
  EXPECT_EQ(V, (Rows{{0.7071067811865476, 0.7071067811865475}, {-0.7071067811865475, 0.7071067811865476}}));
  EXPECT_EQ(U, (Rows{{0.316227766016838, -0.9486832980505138}, {0.9486832980505138, 0.316227766016838}}));
}

TEST(Svd, RandomShapesDecompose) {
  SVD svd;
  zrtest::Random g(17);
  // Outputs reused from the previous shape, whatever it was, end up as fresh ones; 17 works
  // outside the small-order storage.
  Rows U2{{7.0}, {}}, S2, V2(3, std::vector<double>(40, -1.0));
  const std::size_t sizes[] = {1, 2, 3, 4, 5, 6, 7, 8, 17};
  for (std::size_t m : sizes)
    for (std::size_t n : sizes) {
      Rows A(m, std::vector<double>(n));
      for (auto& row : A)
        for (double& e : row) e = static_cast<double>(g.between(-1000, 1000)) / 100.0;
      Rows U, S, V;
      svd.compute(A, U, S, V);
      svd.compute(A, U2, S2, V2);
      EXPECT_EQ(U2, U);
      EXPECT_EQ(S2, S);
      EXPECT_EQ(V2, V);
      ASSERT_EQ(U.size(), m);
      ASSERT_EQ(S.size(), m);
      ASSERT_EQ(V.size(), n);
      expectOrthonormal(U, true);
      expectOrthonormal(V, false);
      for (std::size_t k = 0; k + 1 < std::min(m, n); ++k) EXPECT_GE(S[k][k], S[k + 1][k + 1]);
      const Rows back = reconstruct(A, U, S, V);
      for (std::size_t r = 0; r < m; ++r)
        for (std::size_t c = 0; c < n; ++c) EXPECT_NEAR(back[r][c], A[r][c], 1e-10) << m << "x" << n;
    }
}

TEST(Svd, ShapesOutsideTheUsualContract) {
  SVD svd;
  Rows U{{1}}, S{{2}}, V{{3}};
  svd.compute({}, U, S, V);
  EXPECT_TRUE(U.empty() && S.empty() && V.empty());
  svd.compute({{-4}}, U, S, V);
  EXPECT_EQ(U, (Rows{{1}}));
  EXPECT_EQ(S, (Rows{{4}}));
  EXPECT_EQ(V, (Rows{{1}}));
  // Longer rows are read only up to row 0's length.
  Rows U2, S2, V2;
  svd.compute({{3, 0}, {4, 5, 99}}, U2, S2, V2);
  EXPECT_EQ(S2[0][0], 6.708203932499369);
  const Rows before = U2;
  zrtest::expectOutOfRange([&] { svd.compute({{1, 2}, {3}}, U2, S2, V2); });
  EXPECT_EQ(U2, before);
  EXPECT_EQ(S2.size(), 2u);
  // 65536 rows: the work area's 65536² entries wrap a 32-bit size_t (and could never be
  // allocated on such a target), so the size is refused before anything is touched.
  if (sizeof(std::size_t) == 4) {
    const Rows tall(65536, std::vector<double>(1, 1.0));
    zrtest::expectFailure([&] { svd.compute(tall, U2, S2, V2); }, zrtest::kTooLong);
    EXPECT_EQ(U2, before);
  }
}

}  // namespace
