#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support.h"
#include "zr/mathMatrix.h"

namespace {

using D = std::vector<std::vector<double>>;
using zrtest::expectOutOfRange;
ZR::mathMatrix m;

TEST(ColumnStats, ProductAndCorrelation) {
  EXPECT_EQ(m.prod({{1, 2}, {3, 4}}), 24.0);
  EXPECT_EQ(m.prod({}), 0.0);
  EXPECT_EQ(m.prod({{}, {}}), 1.0);
  EXPECT_EQ(m.prod({{2}, {}, {3}}), 6.0);
  EXPECT_EQ(m.corr2({{1, 2}, {3, 4}}, {{2, 4}, {6, 8}}), 1.0);
  EXPECT_EQ(m.corr2({{1, 2}, {3, 4}}, {{4, 3}, {2, 1}}), -1.0);
  EXPECT_TRUE(std::isnan(m.corr2({{5, 5}}, {{1, 2}})));  // constant: 0/0
  EXPECT_TRUE(std::isnan(m.corr2({{}, {}}, {{}})));
  expectOutOfRange([] { m.corr2({}, {{1}}); });
  expectOutOfRange([] { m.corr2({{1}}, {}); });
  expectOutOfRange([] { m.corr2({{1, 2}, {3, 4}}, {{1, 2, 3}}); });  // different entry counts
}

TEST(ColumnStats, CovarianceAndCentering) {
  EXPECT_EQ(m.cov({{1, 2}, {3, 4}, {5, 9}}), (D{{4.0, 7.0}, {7.0, 13.0}}));
  for (const auto& row : m.cov({{1, 2, 3}}))
    for (const double v : row) EXPECT_TRUE(std::isnan(v));
  EXPECT_TRUE(m.cov({}).empty());
  expectOutOfRange([] { m.cov({{1, 2}, {3}}); });
  zrtest::Random rng(3);
  D X(7, std::vector<double>(4));
  for (auto& row : X)
    for (double& v : row) v = rng.in(-10, 10);
  const D C = m.cov(X);
  for (std::size_t a = 0; a < 4; ++a)
    for (std::size_t b = 0; b < 4; ++b) EXPECT_EQ(C[a][b], C[b][a]);

  D out{{9}}, empties;
  m.dataCenter({{1, 2}, {3, 6}}, out);
  m.dataCenter({}, out);
  m.dataCenter({{}, {}}, empties);
  EXPECT_EQ(out, (D{{9}, {-1, -2}, {1, 2}}));
  EXPECT_EQ(empties, (D{{}, {}}));
  expectOutOfRange([&] { m.dataCenter({{1, 2}, {3}}, out); });
  EXPECT_EQ(out.size(), 3u);
}

TEST(ColumnStats, Standardising) {
  D out{{9}}, flat, one, none;
  m.zscore({{1, 10}, {2, 20}, {3, 30}}, out);  // σ = 1 and 10 exactly
  m.zscore({{4, 1}, {4, 2}}, flat);            // a constant column has no spread: 0.0
  m.zscore({{3, -7}}, one);                    // a single observation
  m.zscore({}, none);
  EXPECT_EQ(out, (D{{9}, {-1, -1}, {0, 0}, {1, 1}}));
  EXPECT_EQ(flat, (D{{0, -0.5 / std::sqrt(0.5)}, {0, 0.5 / std::sqrt(0.5)}}));
  EXPECT_EQ(one, (D{{0, 0}}));
  EXPECT_TRUE(none.empty());
  expectOutOfRange([&] { m.zscore({{1, 2}, {3}}, none); });
  EXPECT_TRUE(none.empty());

  zrtest::Random rng(6);
  D X(50, std::vector<double>(3)), Z;
  for (auto& row : X)
    for (std::size_t j = 0; j < 3; ++j) row[j] = rng.in(-1, 1) * static_cast<double>(j * 100 + 1) + 5.0;
  m.zscore(X, Z);
  for (std::size_t j = 0; j < 3; ++j) {
    double s = 0, q = 0;
    for (const auto& row : Z) s += row[j];
    for (const auto& row : Z) q += (row[j] - s / 50) * (row[j] - s / 50);
    EXPECT_NEAR(s / 50, 0.0, 1e-14);
    EXPECT_NEAR(std::sqrt(q / 49), 1.0, 1e-14);
  }
}

}  // namespace
