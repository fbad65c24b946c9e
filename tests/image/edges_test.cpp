#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "support.h"
#include "zr/imageProcessing.h"

namespace {

using Image = std::vector<std::vector<int>>;
using ZR::imageProcessing;

struct Result {
  int gx, gy, m, a;
};

Result oneByOne(const Image& img) {
  imageProcessing ip;
  Image gx, gy, m, a;
  ip.canny(img, gx, gy, m, a);
  Image sx, sy, sm;
  ip.sobel(img, sx, sy, sm);
  EXPECT_EQ(sx, gx);
  EXPECT_EQ(sy, gy);
  EXPECT_EQ(sm, m);
  return {gx.at(0).at(0), gy.at(0).at(0), m.at(0).at(0), a.at(0).at(0)};
}

// Published directions: atan2 in degrees with π ≈ 3.1415926, truncated, negative angles + 360.
TEST(Sobel, DirectionsAndMagnitudes) {
  const struct {
    Image img;
    Result want;
  } table[] = {
      {{{0, 0, 10}, {0, 0, 10}, {0, 0, 10}}, {40, 0, 40, 0}},
      {{{0, 0, 0}, {0, 0, 0}, {10, 10, 10}}, {0, 40, 40, 90}},
      {{{10, 10, 10}, {0, 0, 0}, {0, 0, 0}}, {0, -40, 40, 270}},
      {{{10, 0, 0}, {10, 0, 0}, {10, 0, 0}}, {-40, 0, 40, 180}},
      {{{0, 0, 0}, {0, 0, 20}, {0, 20, 0}}, {40, 40, 56, 45}},
      {{{0, 0, 0}, {20, 0, 0}, {0, -20, 0}}, {-40, -40, 56, 225}},
      {{{0, 0, 0}, {20, 0, 0}, {0, 15, 0}}, {-40, 30, 50, 143}},
      {{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}}, {0, 0, 0, 0}},
  };
  for (const auto& c : table) {
    const Result r = oneByOne(c.img);
    EXPECT_TRUE(r.gx == c.want.gx && r.gy == c.want.gy && r.m == c.want.m && r.a == c.want.a)
        << r.gx << " " << r.gy << " " << r.m << " " << r.a;
  }
}

TEST(Sobel, RandomImagesAgainstDirectCorrelation) {
  imageProcessing ip;
  zrtest::Random g(21);
  const int kx[3][3] = {{-1, 0, 1}, {-2, 0, 2}, {-1, 0, 1}};
  const int ky[3][3] = {{-1, -2, -1}, {0, 0, 0}, {1, 2, 1}};
  for (int trial = 0; trial < 20; ++trial) {
    const std::size_t R = 3 + g.below(8), C = 3 + g.below(8);
    Image img(R, std::vector<int>(C));
    for (auto& r : img)
      for (int& p : r) p = g.between(0, 255);
    const Image copy = img;
    Image gx{{1}}, gy, m, a;
    ip.canny(img, gx, gy, m, a);
    EXPECT_EQ(img, copy);
    ASSERT_EQ(gx.size(), R - 2);
    for (std::size_t i = 1; i + 1 < R; ++i) {
      ASSERT_EQ(gx[i - 1].size(), C - 2);
      for (std::size_t j = 1; j + 1 < C; ++j) {
        int sx = 0, sy = 0;
        for (std::size_t u = 0; u < 3; ++u)
          for (std::size_t v = 0; v < 3; ++v) {
            sx += kx[u][v] * img[i + u - 1][j + v - 1];
            sy += ky[u][v] * img[i + u - 1][j + v - 1];
          }
        EXPECT_EQ(gx[i - 1][j - 1], sx);
        EXPECT_EQ(gy[i - 1][j - 1], sy);
        EXPECT_EQ(m[i - 1][j - 1], static_cast<int>(std::sqrt(static_cast<double>(sx * sx + sy * sy))));
        int dir = static_cast<int>(std::atan2(static_cast<double>(sy), static_cast<double>(sx)) * 180.0 /
                                   3.1415926);
        EXPECT_EQ(a[i - 1][j - 1], dir < 0 ? dir + 360 : dir);
      }
    }
  }
}

TEST(Sobel, ShapesAndExtremeValues) {
  imageProcessing ip;
  Image gx, gy, m, a;
  ip.canny(Image(4, std::vector<int>(5, 3)), gx, gy, m, a);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].size(), 3u);
  ip.sobel({{1, 2}, {3, 4}, {5, 6}}, gx, gy, m);
  EXPECT_TRUE(gx.empty() && gy.empty() && m.empty());
  gx = {{9}};
  zrtest::expectOutOfRange([&] { ip.sobel({{1, 2, 3}, {1, 2, 3}, {1, 2}}, gx, gy, m); });
  EXPECT_EQ(gx, (Image{{9}}));
  // One image passed for two outputs is built aside and ends holding the later one.
  const Image img{{1, 9, 4, 0}, {7, 3, 8, 2}, {5, 5, 1, 6}, {0, 4, 9, 3}};
  Image sx, sy, sm, sa, same, same2;
  ip.canny(img, sx, sy, sm, sa);
  ip.sobel(img, same, same, m);
  EXPECT_TRUE(same == sy && m == sm);
  ip.canny(img, gx, same2, same2, same2);
  EXPECT_TRUE(gx == sx && same2 == sa);
  Image gm, d1, gm2, d2;
  ip.canny(img, gm, gy, gm, d1);
  ip.canny(img, gx, gm2, gm2, d2);
  EXPECT_TRUE(gm == sm && gy == sy && d1 == sa && gm2 == sm && gx == sx && d2 == sa);
  // Gradients past the int range saturate; nothing overflows.
  const Image big{{INT_MIN, 0, INT_MAX}, {INT_MIN, 0, INT_MAX}, {INT_MIN, 0, INT_MAX}};
  ip.canny(big, gx, gy, m, a);
  EXPECT_EQ(gx[0][0], INT_MAX);
  EXPECT_EQ(gy[0][0], 0);
  EXPECT_EQ(m[0][0], INT_MAX);
  EXPECT_EQ(a[0][0], 0);
}

}  // namespace
