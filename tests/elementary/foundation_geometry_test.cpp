#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>

#include "support.h"
#include "zr/foundationMath.h"
#include "zr/geometryMath.h"

namespace {

using ZR::Point2D;
constexpr double kPi = 3.141592653589793;

// cart2pol writes (angle, radius), pol2cart reads it back; angle(x, y) is atan2 of its own with
// NaN at the origin.
TEST(Foundation, PolarRoundTrip) {
  ZR::foundationMath f;
  EXPECT_TRUE(f.angle(0, 1) == kPi / 2 && f.angle(-1, -1) == kPi / 4 && std::isnan(f.angle(0, 0)));
  Point2D out{7, 7};
  f.cart2pol({-1, 0}, out);
  EXPECT_TRUE(out.x == kPi && out.y == 1.0);
  zrtest::Random r(3);
  for (int i = 0; i < 100; ++i) {
    const Point2D p{r.in(-100, 100), r.in(-100, 100)};
    Point2D polar{}, back{};
    f.cart2pol(p, polar);
    f.pol2cart(polar, back);
    EXPECT_TRUE(std::fabs(back.x - p.x) < 1e-13 && std::fabs(back.y - p.y) < 1e-13) << p.x << ", " << p.y;
    EXPECT_LE(zrtest::ulps(polar.y, std::hypot(p.x, p.y)), 2u);
  }
}

// Signs follow the first argument (rem) and the truncating remainder chain (gcd); nothing traps
// outside the contract (a zero divisor, INT_MIN).
TEST(Foundation, IntegerHelpers) {
  ZR::foundationMath f;
  const struct {
    int (ZR::foundationMath::*op)(int, int);
    int a, b, want;
  } table[] = {
      {&ZR::foundationMath::rem, -7, 3, -1},
      {&ZR::foundationMath::rem, 7, -3, 1},
      {&ZR::foundationMath::gcd, 4, -6, -2},
      {&ZR::foundationMath::gcd, -4, 6, 2},
      {&ZR::foundationMath::gcd, 0, 5, 5},
      {&ZR::foundationMath::lcm, 4, -6, 12},
      {&ZR::foundationMath::lcm, -4, 6, -12},
      {&ZR::foundationMath::lcm, 6, 3, 6},
      {&ZR::foundationMath::lcm, 65536, 65537, 65536},  // the 32-bit product wraps
      {&ZR::foundationMath::rem, 5, 0, 5},
      {&ZR::foundationMath::rem, INT_MIN, 0, INT_MIN},
      {&ZR::foundationMath::rem, INT_MIN, -1, 0},
      {&ZR::foundationMath::gcd, 5, 0, 5},
      {&ZR::foundationMath::gcd, INT_MIN, -1, -1},
      {&ZR::foundationMath::lcm, 5, 0, 0},
      {&ZR::foundationMath::lcm, 0, 0, 0},
      {&ZR::foundationMath::lcm, INT_MIN, -1, INT_MIN},
      {&ZR::foundationMath::lcm, INT_MIN, INT_MIN, 0},
      {&ZR::foundationMath::lcm, INT_MAX, INT_MIN, INT_MIN},
  };
  for (const auto& c : table) EXPECT_EQ((f.*c.op)(c.a, c.b), c.want) << c.a << ", " << c.b;
  for (int a = 1; a <= 40; ++a)
    for (int b = 1; b <= 40; ++b) {
      const int g = f.gcd(a, b);
      EXPECT_EQ(std::int64_t{g} * f.lcm(a, b), std::int64_t{a} * b) << a << " " << b;
      EXPECT_TRUE(a % g == 0 && b % g == 0);
    }
}

TEST(Foundation, FactorAndFactorial) {
  ZR::foundationMath f;
  EXPECT_EQ(f.factor(12), (std::vector<int>{2, 2, 3}));
  for (int n : {1, 0, -12, INT_MIN}) EXPECT_TRUE(f.factor(n).empty()) << n;
  EXPECT_EQ(f.factor(INT_MAX), (std::vector<int>{INT_MAX}));  // prime: must return at once
  EXPECT_EQ(f.factor(2147483646), (std::vector<int>{2, 3, 3, 7, 11, 31, 151, 331}));
  EXPECT_EQ(f.factor(46337 * 46337), (std::vector<int>{46337, 46337}));
  // Oracle: ascending primes (trial division) whose product is n.
  zrtest::Random r(17);
  for (int i = 0; i < 200; ++i) {
    const int n = r.between(2, 2000000000);
    const std::vector<int> p = f.factor(n);
    std::int64_t product = 1;
    for (std::size_t k = 0; k < p.size(); ++k) {
      product *= p[k];
      EXPECT_TRUE(k == 0 || p[k - 1] <= p[k]);
      for (int d = 2; std::int64_t{d} * d <= p[k]; ++d) ASSERT_NE(p[k] % d, 0) << p[k] << " not prime";
    }
    EXPECT_EQ(product, n);
  }
  EXPECT_TRUE(f.factorial(-3) == 1.0 && f.factorial(20) == 2432902008176640000.0);
  EXPECT_TRUE(f.factorial(170) == 7.257415615307994e306 && f.factorial(171) == HUGE_VAL);
}

TEST(Geometry, TriangleCentres) {
  ZR::geometryMath geo;
  const struct {
    Point2D a, b, c, circum;
  } table[] = {
      {{0, 0}, {4, 0}, {1, 3}, {2, 1}},          // AB horizontal
      {{0, 0}, {1, 3}, {4, 0}, {2, 1}},          // AC horizontal
      {{0, 1}, {0, 5}, {3, 1}, {1.5, 3}},        // AC horizontal, AB vertical
      {{0, 0}, {0, 4}, {3, 2}, {5.0 / 6.0, 2}},  // general case through a vertical side
  };
  Point2D out{};
  for (const auto& k : table) {
    geo.circumCenter(k.a, k.b, k.c, out);
    EXPECT_TRUE(out.x == k.circum.x && out.y == k.circum.y) << out.x << ", " << out.y;
  }
  geo.circumCenter({0, 0}, {2, 0}, {4, 0}, out);
  EXPECT_FALSE(std::isfinite(out.x) && std::isfinite(out.y));
  geo.inCenter({0, 0}, {4, 0}, {0, 3}, out);
  EXPECT_TRUE(out.x == 1.0 && out.y == 1.0);
  geo.inCenter({1, 1}, {1, 1}, {1, 1}, out);
  EXPECT_TRUE(std::isnan(out.x) && std::isnan(out.y));
  // Oracles on random triangles: the circumcentre is equidistant from the corners; the incentre
  // is the side-weighted mean of the corners.
  zrtest::Random r(8);
  for (int i = 0; i < 100; ++i) {
    const Point2D a{r.in(-10, 10), r.in(-10, 10)}, b{r.in(-10, 10), r.in(-10, 10)},
        c{r.in(-10, 10), r.in(-10, 10)};
    geo.circumCenter(a, b, c, out);
    const double ra = std::hypot(out.x - a.x, out.y - a.y);
    EXPECT_NEAR(std::hypot(out.x - b.x, out.y - b.y) / ra, 1.0, 1e-6);
    EXPECT_NEAR(std::hypot(out.x - c.x, out.y - c.y) / ra, 1.0, 1e-6);
    const double la = std::hypot(b.x - c.x, b.y - c.y), lb = std::hypot(a.x - c.x, a.y - c.y),
                 lc = std::hypot(a.x - b.x, a.y - b.y), s = la + lb + lc;
    geo.inCenter(a, b, c, out);
    EXPECT_NEAR(out.x, (la * a.x + lb * b.x + lc * c.x) / s, 1e-9);
    EXPECT_NEAR(out.y, (la * a.y + lb * b.y + lc * c.y) / s, 1e-9);
  }
}

}  // namespace
