#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "support.h"
#include "zr/imageProcessing.h"

namespace {

using Kernel = std::vector<std::vector<double>>;
using ZR::imageProcessing;

// exp(−(i² + j²) / (2σ²)) over the sum, within 8 ulps of it in long double (a sum of 25 rounded
// terms, then a quotient); the whole-number form divides by the corner and truncates. Size 0 or
// less is empty, σ = 0 is 0/0.
TEST(GaussianKernel, ClosedFormsAndDegenerateInputs) {
  imageProcessing ip;
  for (const double sigma : {1.0, -1.0, 0.7}) {
    const Kernel k = ip.getGaussianKernel(5, sigma, true);
    long double e[25], sum = 0;
    for (int n = 0; n < 25; ++n)
      sum += e[n] =
          std::exp(-((n / 5 - 2) * (n / 5 - 2) + (n % 5 - 2) * (n % 5 - 2)) / (2.0L * sigma * sigma));
    for (std::size_t n = 0; n < 25; ++n)
      EXPECT_LE(zrtest::ulps(k[n / 5][n % 5], static_cast<double>(e[n] / sum)), 8u) << sigma;
  }
  EXPECT_EQ(
      ip.getGaussianKernel(5, -1.0, false),
      (Kernel{{1, 4, 7, 4, 1}, {4, 20, 33, 20, 4}, {7, 33, 54, 33, 7}, {4, 20, 33, 20, 4}, {1, 4, 7, 4, 1}}));
  EXPECT_EQ(ip.getGaussianKernel(4, 1.0, false),
            (Kernel{{1, 1, 1, 0}, {1, 2, 1, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}}));
  EXPECT_EQ(ip.getGaussianKernel(1, 1.0, true), (Kernel{{1.0}}));
  EXPECT_TRUE(ip.getGaussianKernel(0, 1.0, true).empty());
  EXPECT_TRUE(ip.getGaussianKernel(-2147483647 - 1, 1.0, false).empty());
  for (const auto& r : ip.getGaussianKernel(3, 0.0, true))
    for (double v : r) EXPECT_TRUE(std::isnan(v));
  zrtest::expectFailure([&] { ip.getGaussianKernel(2147483647, 1.0, true); }, zrtest::kTooLong);
}

TEST(BoxFilter, MatchesAnIndependentWindowSum) {
  imageProcessing ip;
  zrtest::Random g(9);
  // 41 columns: output rows of 35 to 41 entries, in blocks of sixteen, pairs and single windows;
  // out arrives with longer rows of other values, which must all be overwritten. Pixels of any
  // size too, where the exact sums need 64 bits.
  std::vector<std::vector<int>> img(7, std::vector<int>(41));
  for (int range : {300, INT_MAX})
    for (int size = 1; size <= 7; ++size)
      for (bool normalise : {true, false}) {
        for (auto& r : img)
          for (int& p : r) p = g.between(-range, range);
        Kernel out(size % 2 == 0 ? 9 : 1, std::vector<double>(50, 42.0));
        ip.boxFilter(img, size, normalise, out);
        const std::size_t s = static_cast<std::size_t>(size);
        ASSERT_EQ(out.size(), 7 - s + 1);
        const double v = normalise ? 1.0 / (size * size) : 1.0;
        for (std::size_t i = 0; i < out.size(); ++i) {
          ASSERT_EQ(out[i].size(), 41 - s + 1);
          for (std::size_t j = 0; j < out[i].size(); ++j) {
            double sum = 0.0;
            for (std::size_t r = 0; r < s; ++r)
              for (std::size_t c = 0; c < s; ++c) sum = sum + img[i + r][j + c] * v;
            EXPECT_EQ(out[i][j], sum);
          }
        }
      }
  Kernel out{{1}};
  ip.boxFilter(img, 8, true, out);
  EXPECT_TRUE(out.empty());
  ip.boxFilter(img, 0, true, out);
  EXPECT_TRUE(out.empty());
  ip.boxFilter({}, 3, false, out);
  EXPECT_TRUE(out.empty());
  out = {{5}};
  zrtest::expectOutOfRange([&] { ip.boxFilter({{1, 2}, {3}}, 1, true, out); });
  EXPECT_EQ(out, (Kernel{{5}}));
}

}  // namespace
