#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "support.h"
#include "zr/statisticsMath.h"

namespace {

using ZR::statisticsMath;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Published values of the sample statistics and the normal density, and the decisions for empty
// and one-element samples (n − 1 held as unsigned 32-bit wraps for n = 0, so the variance is 0).
TEST(Statistics, MeanVarianceStdAndDensity) {
  statisticsMath s;
  double mean = 0, var = 0, sd = 0, emptyMean = 0, emptyVar = 1, emptyStd = 1, oneVar = 0, oneStd = 0;
  s.mean({1, 2, 3, 4}, mean);
  s.var({1, 2, 3, 4}, var);
  s.std({1, 2, 3, 4}, sd);
  s.mean({}, emptyMean);
  s.var({}, emptyVar);
  s.std({}, emptyStd);
  s.var({5}, oneVar);
  s.std({5}, oneStd);
  EXPECT_TRUE(mean == 2.5 && var == 5.0 / 3.0 && sd == std::sqrt(5.0 / 3.0));
  EXPECT_TRUE(std::isnan(emptyMean) && emptyVar == 0.0 && emptyStd == 0.0 && std::isnan(oneVar) &&
              std::isnan(oneStd));

  std::vector<double> pdf{7.0}, z;
  s.normalpdf({0.0, 1.0}, 0.0, 1.0, pdf);  // appends
  s.normalpdf({}, 0.0, 1.0, pdf);
  EXPECT_EQ(pdf, (std::vector<double>{7.0, 0.3989422804014327, 0.24197072451914337}));
  s.normalpdf({0.0}, 0.0, 0.0, z);
  s.normalpdf({1.0}, 0.0, -1.0, z);
  EXPECT_TRUE(std::isnan(z[0]) && z[1] == -0.24197072451914337);
  // mu and sigma referring into the result itself, which grows (and may move) while appending.
  std::vector<double> self{0.0, 1.0};
  s.normalpdf(std::vector<double>(100, 1.0), self[0], self[1], self);
  ASSERT_EQ(self.size(), 102u);
  EXPECT_EQ(self[101], 0.24197072451914337);
}

double medianBySorting(std::vector<double> v) {
  if (v.empty()) return kNaN;
  for (double e : v)
    if (std::isnan(e)) return kNaN;
  std::sort(v.begin(), v.end());
  const std::size_t h = v.size() / 2;
  return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
}

TEST(Statistics, MedianPerRowAndColumn) {
  statisticsMath s;
  zrtest::Random g(3);
  std::vector<std::vector<double>> rows;
  for (int len = 0; len < 12; ++len) {
    std::vector<double> r;
    for (int k = 0; k < len; ++k) r.push_back(static_cast<double>(g.between(-3, 3)));
    rows.push_back(r);
  }
  rows[5][2] = kNaN;
  const auto copy = rows;
  const std::vector<double> med = s.median(rows, 2);
  ASSERT_EQ(med.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const double want = medianBySorting(rows[i]);
    if (std::isnan(want))
      EXPECT_TRUE(std::isnan(med[i])) << i;
    else
      EXPECT_EQ(med[i], want) << i;
  }
  EXPECT_TRUE(std::isnan(med[0]));  // the empty row
  EXPECT_EQ(rows.size(), copy.size());

  const std::vector<std::vector<double>> m{{1, 10, 5}, {3, 20, 6}, {2, 40, 7}, {4, 30, 8}};
  EXPECT_EQ(s.median(m, 1), (std::vector<double>{2.5, 25, 6.5}));
  EXPECT_TRUE(s.median(m, 3).empty());
  EXPECT_TRUE(s.median(m, 0).empty());
  EXPECT_TRUE(s.median({}, 1).empty());
  // Signed zeros: −0.0 ranks below +0.0, so the sign of a zero median is fixed on every standard
  // library; the oracle sorts the whole row under that order.
  for (int round = 0; round < 300; ++round) {
    std::vector<double> r(1 + g.below(9));
    for (double& e : r) e = std::array<double, 3>{-0.0, 0.0, 1.0}[g.below(3)];
    std::vector<double> o = r;
    std::sort(o.begin(), o.end(),
              [](double a, double b) { return a < b || (a == b && std::signbit(a) > std::signbit(b)); });
    const std::size_t h = o.size() / 2;
    const double want = o.size() % 2 ? o[h] : (o[h - 1] + o[h]) / 2;
    const double got = s.median({r}, 2)[0];
    EXPECT_TRUE(got == want && std::signbit(got) == std::signbit(want)) << round;
  }
  // The two middle values average without overflow.
  EXPECT_EQ(s.median({{1.7e308, 1.6e308}}, 2)[0], 1.6e308 / 2 + 1.7e308 / 2);
  zrtest::expectOutOfRange([&] { s.median({{1, 2}, {3}}, 1); });
}

}  // namespace
