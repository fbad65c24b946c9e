#include <gtest/gtest.h>

#include <cmath>

#include "support.h"
#include "zr/imageProcessing.h"

namespace {

using Kernel = std::vector<std::vector<double>>;
using ZR::imageProcessing;

TEST(GaussianKernel, NormalisedAndWholeNumberForms) {
  imageProcessing ip;
  const Kernel k = ip.getGaussianKernel(3, 1.0, true);
  EXPECT_EQ(k[0][0], 0.07511360795411151);
  EXPECT_EQ(k[2][2], 0.07511360795411151);
  EXPECT_EQ(k[0][1], 0.12384140315297398);
  EXPECT_EQ(k[1][2], 0.12384140315297398);
  EXPECT_EQ(k[1][1], 0.2041799555716581);
  double sum = 0;
  for (const auto& r : k)
    for (double e : r) sum += e;
  EXPECT_NEAR(sum, 1.0, 1e-15);

  EXPECT_EQ(ip.getGaussianKernel(3, 1.0, false), (Kernel{{1, 1, 1}, {1, 2, 1}, {1, 1, 1}}));
  EXPECT_EQ(ip.getGaussianKernel(5, 1.0, false),
            (Kernel{{1, 4, 7, 4, 1}, {4, 20, 33, 20, 4}, {7, 33, 54, 33, 7}, {4, 20, 33, 20, 4}, {1, 4, 7, 4, 1}}));
  EXPECT_EQ(ip.getGaussianKernel(4, 1.0, false), (Kernel{{1, 1, 1, 0}, {1, 2, 1, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}}));
  EXPECT_EQ(ip.getGaussianKernel(1, 1.0, false), (Kernel{{1.0}}));
  EXPECT_EQ(ip.getGaussianKernel(1, 1.0, true), (Kernel{{1.0}}));
  // A negative sigma gives the same normalised and whole-number kernels.
  EXPECT_EQ(ip.getGaussianKernel(5, -1.0, false), ip.getGaussianKernel(5, 1.0, false));
  EXPECT_EQ(ip.getGaussianKernel(3, -1.0, true), k);
}

TEST(GaussianKernel, DegenerateSizesAndSigma) {
  imageProcessing ip;
  EXPECT_TRUE(ip.getGaussianKernel(0, 1.0, true).empty());
  EXPECT_TRUE(ip.getGaussianKernel(-2147483647 - 1, 1.0, false).empty());
  const Kernel nan = ip.getGaussianKernel(3, 0.0, true);
  for (const auto& r : nan)
    for (double e : r) EXPECT_TRUE(std::isnan(e));
  zrtest::expectFailure([&] { ip.getGaussianKernel(2147483647, 1.0, true); }, zrtest::kTooLong);
}

TEST(BoxFilter, MatchesAnIndependentWindowSum) {
  imageProcessing ip;
  zrtest::Random g(9);
  // 41 columns: output rows of 35 to 41 entries, in blocks of sixteen, pairs and single windows;
  // out arrives with longer rows of other values, which must all be overwritten.
  std::vector<std::vector<int>> img(7, std::vector<int>(41));
  for (auto& r : img)
    for (int& p : r) p = g.between(-300, 255);
  for (int size = 1; size <= 7; ++size)
    for (bool normalise : {true, false}) {
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
