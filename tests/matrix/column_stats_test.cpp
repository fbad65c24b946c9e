#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "random_matrix.h"
#include "zr/mathMatrix.h"

namespace {

using ZR::mathMatrix;
using D = std::vector<std::vector<double>>;

void expectOutOfRange(const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_EQ(std::string(e.what()), "invalid vector<T> subscript");
  }
}

TEST(ColumnStats, Product) {
  mathMatrix m;
  EXPECT_EQ(m.prod({{1, 2}, {3, 4}}), 24.0);
  EXPECT_EQ(m.prod({}), 0.0);
  EXPECT_EQ(m.prod({{}, {}}), 1.0);
  EXPECT_EQ(m.prod({{2}, {}, {3}}), 6.0);
  EXPECT_EQ(m.prod({{0.1, 0.2, 0.3}}), (0.1 * 0.2) * 0.3);
}

TEST(ColumnStats, Correlation) {
  mathMatrix m;
  EXPECT_EQ(m.corr2({{1, 2}, {3, 4}}, {{2, 4}, {6, 8}}), 1.0);
  EXPECT_EQ(m.corr2({{1, 2}, {3, 4}}, {{4, 3}, {2, 1}}), -1.0);
  EXPECT_TRUE(std::isnan(m.corr2({{5, 5}}, {{1, 2}})));  // constant data: 0/0
  EXPECT_TRUE(std::isnan(m.corr2({{}, {}}, {{}})));      // rows without entries

  // Against the textbook formula on random data.
  zrtest::Random rng(2u);
  D A(4, std::vector<double>(3)), B = A;
  double sa = 0, sb = 0;
  for (std::size_t i = 0; i < 4; ++i)
    for (std::size_t j = 0; j < 3; ++j) {
      A[i][j] = rng.in(-5, 5);
      B[i][j] = 0.5 * A[i][j] + rng.in(-1, 1);
      sa += A[i][j];
      sb += B[i][j];
    }
  double num = 0, da2 = 0, db2 = 0;
  for (std::size_t i = 0; i < 4; ++i)
    for (std::size_t j = 0; j < 3; ++j) {
      num += (A[i][j] - sa / 12) * (B[i][j] - sb / 12);
      da2 += (A[i][j] - sa / 12) * (A[i][j] - sa / 12);
      db2 += (B[i][j] - sb / 12) * (B[i][j] - sb / 12);
    }
  EXPECT_NEAR(m.corr2(A, B), num / std::sqrt(da2 * db2), 1e-14);

  expectOutOfRange([&] { m.corr2({}, {{1}}); });
  expectOutOfRange([&] { m.corr2({{1}}, {}); });
  expectOutOfRange([&] { m.corr2({{1, 2}, {3, 4}}, {{1, 2, 3}}); });  // different entry counts
}

TEST(ColumnStats, Covariance) {
  mathMatrix m;
  EXPECT_EQ(m.cov({{1, 2}, {3, 4}, {5, 9}}), (D{{4.0, 7.0}, {7.0, 13.0}}));
  const D single = m.cov({{1, 2, 3}});
  ASSERT_EQ(single.size(), 3u);
  for (const auto& row : single)
    for (double v : row) EXPECT_TRUE(std::isnan(v));
  EXPECT_TRUE(m.cov({}).empty());
  EXPECT_TRUE(m.cov({{}, {}}).empty());
  expectOutOfRange([&] { m.cov({{1, 2}, {3}}); });

  zrtest::Random rng(3u);
  D X(7, std::vector<double>(4));
  for (auto& row : X)
    for (double& v : row) v = rng.in(-10, 10);
  const D C = m.cov(X);
  for (std::size_t a = 0; a < 4; ++a) {
    for (std::size_t b = 0; b < 4; ++b) {
      EXPECT_EQ(C[a][b], C[b][a]);  // exactly symmetric
      double ma = 0, mb = 0;
      for (const auto& row : X) {
        ma += row[a];
        mb += row[b];
      }
      ma /= 7;
      mb /= 7;
      double s = 0;
      for (const auto& row : X) s += (row[a] - ma) * (row[b] - mb);
      EXPECT_NEAR(C[a][b], s / 6, 1e-12);
    }
  }
}

TEST(ColumnStats, Centering) {
  mathMatrix m;
  D out;
  m.dataCenter({{1, 2}, {3, 6}}, out);
  EXPECT_EQ(out, (D{{-1, -2}, {1, 2}}));
  D held{{9}};
  m.dataCenter({{1, 2}, {3, 6}}, held);
  EXPECT_EQ(held, (D{{9}, {-1, -2}, {1, 2}}));
  m.dataCenter({}, held);
  EXPECT_EQ(held.size(), 3u);
  D empties;
  m.dataCenter({{}, {}}, empties);
  EXPECT_EQ(empties, (D{{}, {}}));
  expectOutOfRange([&] { m.dataCenter({{1, 2}, {3}}, empties); });
  EXPECT_EQ(empties.size(), 2u);
}

TEST(ColumnStats, Standardising) {
  mathMatrix m;
  D out{{9}};
  m.zscore({{1, 10}, {2, 20}, {3, 30}}, out);  // σ = 1 and 10 exactly
  EXPECT_EQ(out, (D{{9}, {-1, -1}, {0, 0}, {1, 1}}));

  D flat;
  m.zscore({{4, 1}, {4, 2}}, flat);  // constant column: no spread, 0.0
  EXPECT_EQ(flat[0][0], 0.0);
  EXPECT_EQ(flat[1][0], 0.0);
  D one;
  m.zscore({{3, -7}}, one);  // a single observation
  EXPECT_EQ(one, (D{{0, 0}}));
  D none;
  m.zscore({}, none);
  EXPECT_TRUE(none.empty());
  expectOutOfRange([&] { m.zscore({{1, 2}, {3}}, none); });
  EXPECT_TRUE(none.empty());

  zrtest::Random rng(6u);
  D X(50, std::vector<double>(3));
  for (auto& row : X)
    for (std::size_t j = 0; j < 3; ++j) row[j] = rng.in(-1, 1) * static_cast<double>(j * 100 + 1) + 5.0;
  D Z;
  m.zscore(X, Z);
  ASSERT_EQ(Z.size(), X.size());
  for (std::size_t j = 0; j < 3; ++j) {
    double s = 0;
    for (const auto& row : Z) s += row[j];
    const double mean = s / 50;
    double q = 0;
    for (const auto& row : Z) q += (row[j] - mean) * (row[j] - mean);
    EXPECT_NEAR(mean, 0.0, 1e-14);
    EXPECT_NEAR(std::sqrt(q / 49), 1.0, 1e-14);
  }
}

}  // namespace
