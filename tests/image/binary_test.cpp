#include <gtest/gtest.h>

#include <climits>

#include "support.h"
#include "zr/imageProcessing.h"

namespace {

using Image = std::vector<std::vector<int>>;
using ZR::colorChannel;
using ZR::imageProcessing;

// (11·R + 16·G + 5·B) / 32 in 64 bits, truncated; a result already filled is left alone.
TEST(Grayscale, WeightsAndTheFilledResultRule) {
  imageProcessing ip;
  Image gray, extreme, none;
  ip.rgbImage2Grayscale({{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {{10, 20, 30}, {-10, -20, -30}, {1, 1, 1}}},
                        gray);
  ip.rgbImage2Grayscale({{{1, 1, 1}}}, gray);
  EXPECT_EQ(gray, (Image{{87, 127, 39}, {18, -18, 1}}));
  ip.rgbImage2Grayscale({{{INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MIN}}}, extreme);
  EXPECT_EQ(extreme, (Image{{INT_MAX, INT_MIN}}));
  zrtest::expectOutOfRange([&] { ip.rgbImage2Grayscale({{{1, 1, 1}, {2, 2, 2}}, {{3, 3, 3}}}, none); });
  EXPECT_TRUE(none.empty());
}

// Otsu's threshold by brute force: the first t maximising the between-class variance.
int bruteForceThreshold(const Image& img) {
  double hist[256] = {};
  double total = 0;
  for (const auto& r : img)
    for (int p : r) hist[p] += 1, total += 1;
  double best = 0;
  int threshold = 0;
  for (int t = 0; t < 256; ++t) {
    double w0 = 0, s0 = 0, s1 = 0;
    for (int u = 0; u <= t; ++u) w0 += hist[u], s0 += u * hist[u];
    for (int u = t + 1; u < 256; ++u) s1 += u * hist[u];
    const double w1 = total - w0;
    if (w0 == 0 || w1 == 0) continue;
    const double d = s0 / w0 - s1 / w1;
    const double between = w0 * w1 * d * d;
    if (between > best * (1 + 1e-12)) best = between, threshold = t;
  }
  return threshold;
}

// An 8K frame (7680 × 4320) with 2990 rows of level 240: 22.96 million pixels of one level, past
// 2^24, where 240·count no longer fits 32 bits (summed that way the threshold would move to 240).
TEST(Otsu, EightKFrame) {
  Image img;
  for (int r = 0; r < 4320; ++r) img.emplace_back(7680, r < 1200 ? 30 : r < 4190 ? 240 : 255);
  const int t = bruteForceThreshold(img);
  EXPECT_EQ(t, 30);
  std::vector<int> level;
  for (const auto& row : img) level.push_back(row[0]);
  Image res;
  imageProcessing().imageBinaryzation(std::move(img), res);
  ASSERT_EQ(res.size(), level.size());
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < res.size(); ++i)
    for (int v : res[i]) wrong += v != (level[i] <= t ? 0 : 255);
  EXPECT_EQ(wrong, 0u);
}

TEST(Otsu, ThresholdsAndAppending) {
  imageProcessing ip;
  Image out{{7}}, flat, wild;
  ip.imageBinaryzation({{10, 10}, {200, 200}}, out);
  EXPECT_EQ(out, (Image{{7}, {0, 0}, {255, 255}}));
  ip.imageBinaryzation({{100, 100}}, flat);
  EXPECT_EQ(flat, (Image{{255, 255}}));
  // Out-of-range pixels get no bin but are classified by the threshold.
  ip.imageBinaryzation({{10, INT_MIN, 200, INT_MAX, -1, 256}}, wild);
  EXPECT_EQ(wild, (Image{{0, 0, 255, 255, 0, 255}}));
  zrtest::Random g(4);
  for (int trial = 0; trial < 30; ++trial) {
    Image img(6, std::vector<int>(8));
    const int lo = g.between(0, 99), spread = g.between(1, 156);
    for (auto& r : img)
      for (int& p : r) p = lo + g.between(0, spread - 1);
    Image res;
    ip.imageBinaryzation(img, res);
    const int t = bruteForceThreshold(img);
    for (std::size_t i = 0; i < img.size(); ++i)
      for (std::size_t j = 0; j < img[i].size(); ++j) EXPECT_EQ(res[i][j], img[i][j] <= t ? 0 : 255) << trial;
  }
}

// Erosion then dilation with a cross whose dilation is not reflected (left, right and above in
// the eroded image), so a 1 below the centre never restores it and a 0 pixel can come out as 1.
TEST(Opening, ShapesAndStructuringElement) {
  imageProcessing ip;
  Image opened{{9, 9}};
  ip.imageopen(Image(7, std::vector<int>(6, 1)), opened);
  EXPECT_EQ(opened, (Image(3, std::vector<int>(2, 1))));
  ip.imageopen(Image(4, std::vector<int>(9, 1)), opened);
  EXPECT_TRUE(opened.empty());
  const struct {
    std::size_t r, c;
    int value, want;
  } table[] = {{2, 2, 1, 0}, {1, 2, 0, 1}, {3, 2, 1, 0}};  // one pixel changed in a constant image
  for (const auto& t : table) {
    Image img(5, std::vector<int>(5, 1 - t.value));
    img[t.r][t.c] = t.value;
    ip.imageopen(img, opened);
    EXPECT_EQ(opened, (Image{{t.want}})) << t.r << " " << t.c;
  }
  ip.imageopen({{0, 0, 1, 0, 0}, {0, 1, 1, 1, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}, opened);
  EXPECT_EQ(opened, (Image{{1}}));
  opened = {{4}};
  zrtest::expectOutOfRange([&] { ip.imageopen({{1, 1, 1}, {1, 1}, {1, 1, 1}}, opened); });
  EXPECT_EQ(opened, (Image{{4}}));
}

}  // namespace
