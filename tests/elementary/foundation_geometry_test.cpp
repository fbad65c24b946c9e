#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>

#include "zr/foundationMath.h"
#include "zr/geometryMath.h"

namespace {

using ZR::Point2D;
constexpr double kPi = 3.141592653589793;

TEST(Foundation, Conversions) {
  ZR::foundationMath f;
  EXPECT_EQ(f.rad2deg(kPi), 180.0);
  EXPECT_EQ(f.deg2rad(180.0), kPi);
  Point2D out{7, 7};
  f.cart2pol({-1, 0}, out);
  EXPECT_EQ(out.x, kPi);
  EXPECT_EQ(out.y, 1.0);
  f.cart2pol({0, 0}, out);
  EXPECT_EQ(out.x, 0.0);
  EXPECT_EQ(out.y, 0.0);
  EXPECT_EQ(f.angle(0, 1), kPi / 2);
  EXPECT_EQ(f.angle(-1, -1), kPi / 4);
  EXPECT_TRUE(std::isnan(f.angle(0, 0)));

  // pol2cart reads what cart2pol writes and gives the point back.
  std::mt19937 g(3);
  std::uniform_real_distribution<double> d(-100.0, 100.0);
  for (int i = 0; i < 200; ++i) {
    const Point2D p{d(g), d(g)};
    Point2D polar{}, back{};
    f.cart2pol(p, polar);
    f.pol2cart(polar, back);
    EXPECT_NEAR(back.x, p.x, 1e-13);
    EXPECT_NEAR(back.y, p.y, 1e-13);
    // r·cos θ and r·sin θ with the library's correctly rounded cos and sin: within one ulp of
    // the product with any faithful runtime cos/sin (one more for the product's rounding).
    const auto ulp = [](double v) { return std::nextafter(std::fabs(v), HUGE_VAL) - std::fabs(v); };
    EXPECT_LE(std::fabs(back.x - polar.y * std::cos(polar.x)), 2 * ulp(back.x));
    EXPECT_LE(std::fabs(back.y - polar.y * std::sin(polar.x)), 2 * ulp(back.y));
  }
}

TEST(Foundation, IntegerHelpers) {
  ZR::foundationMath f;
  EXPECT_EQ(f.rem(-7, 3), -1);
  EXPECT_EQ(f.rem(7, -3), 1);
  EXPECT_EQ(f.gcd(4, -6), -2);
  EXPECT_EQ(f.gcd(-4, 6), 2);
  EXPECT_EQ(f.gcd(0, 5), 5);
  EXPECT_EQ(f.lcm(4, -6), 12);
  EXPECT_EQ(f.lcm(-4, 6), -12);
  EXPECT_EQ(f.lcm(6, 3), 6);
  EXPECT_EQ(f.lcm(65536, 65537), 65536);  // the 32-bit product wraps

  // Nothing traps outside the contract.
  EXPECT_EQ(f.rem(5, 0), 5);
  EXPECT_EQ(f.rem(INT_MIN, 0), INT_MIN);
  EXPECT_EQ(f.rem(INT_MIN, -1), 0);
  EXPECT_EQ(f.gcd(5, 0), 5);
  EXPECT_EQ(f.gcd(INT_MIN, -1), -1);
  EXPECT_EQ(f.lcm(5, 0), 0);
  EXPECT_EQ(f.lcm(0, 0), 0);
  EXPECT_EQ(f.lcm(INT_MIN, -1), INT_MIN);
  EXPECT_EQ(f.lcm(INT_MIN, INT_MIN), 0);
  EXPECT_EQ(f.lcm(INT_MAX, INT_MIN), INT_MIN);

  for (int a = 1; a <= 60; ++a)
    for (int b = 1; b <= 60; ++b) {
      EXPECT_EQ(static_cast<std::int64_t>(f.gcd(a, b)) * f.lcm(a, b), std::int64_t{a} * b) << a << " " << b;
      EXPECT_EQ(a % f.gcd(a, b), 0);
      EXPECT_EQ(b % f.gcd(a, b), 0);
    }
}

TEST(Foundation, FactorAndFactorial) {
  ZR::foundationMath f;
  EXPECT_EQ(f.factor(12), (std::vector<int>{2, 2, 3}));
  EXPECT_EQ(f.factor(97), (std::vector<int>{97}));
  for (int n : {1, 0, -12, INT_MIN}) EXPECT_TRUE(f.factor(n).empty()) << n;
  EXPECT_EQ(f.factor(INT_MAX), (std::vector<int>{INT_MAX}));  // prime: must return at once
  EXPECT_EQ(f.factor(2147483646), (std::vector<int>{2, 3, 3, 7, 11, 31, 151, 331}));
  EXPECT_EQ(f.factor(46337 * 46337), (std::vector<int>{46337, 46337}));

  std::mt19937 g(17);
  for (int i = 0; i < 300; ++i) {
    const int n = 2 + static_cast<int>(g() % 2000000000u);
    const std::vector<int> p = f.factor(n);
    std::int64_t product = 1;
    for (std::size_t k = 0; k < p.size(); ++k) {
      product *= p[k];
      if (k > 0) {
        EXPECT_LE(p[k - 1], p[k]);
      }
      for (int d = 2; std::int64_t{d} * d <= p[k]; ++d) ASSERT_NE(p[k] % d, 0) << p[k] << " not prime";
    }
    EXPECT_EQ(product, n);
  }

  EXPECT_EQ(f.factorial(0), 1.0);
  EXPECT_EQ(f.factorial(-3), 1.0);
  EXPECT_EQ(f.factorial(20), 2432902008176640000.0);
  EXPECT_EQ(f.factorial(170), 7.257415615307994e306);
  EXPECT_EQ(f.factorial(171), HUGE_VAL);
  EXPECT_EQ(f.factorial(INT_MAX), HUGE_VAL);
}

TEST(Geometry, TriangleCentres) {
  ZR::geometryMath geo;
  struct Case {
    Point2D a, b, c, centre;
  };
  const Case circum[] = {
      {{0, 0}, {4, 0}, {1, 3}, {2, 1}},    // AB horizontal
      {{0, 0}, {1, 3}, {4, 0}, {2, 1}},    // AC horizontal
      {{0, 1}, {0, 5}, {3, 1}, {1.5, 3}},  // AC horizontal, AB vertical
  };
  for (const Case& k : circum) {
    Point2D out{};
    geo.circumCenter(k.a, k.b, k.c, out);
    EXPECT_EQ(out.x, k.centre.x);
    EXPECT_EQ(out.y, k.centre.y);
  }
  Point2D out{};
  geo.circumCenter({0, 0}, {0, 4}, {3, 2}, out);  // general case through a vertical side
  EXPECT_EQ(out.x, 5.0 / 6.0);
  EXPECT_EQ(out.y, 2.0);
  geo.circumCenter({0, 0}, {2, 0}, {4, 0}, out);
  EXPECT_FALSE(std::isfinite(out.x) && std::isfinite(out.y));

  geo.inCenter({0, 0}, {4, 0}, {0, 3}, out);
  EXPECT_EQ(out.x, 1.0);
  EXPECT_EQ(out.y, 1.0);
  geo.inCenter({0, 0}, {2, 0}, {1, std::sqrt(3.0)}, out);
  EXPECT_NEAR(out.x, 1.0, 1e-15);
  EXPECT_NEAR(out.y, std::sqrt(3.0) / 3.0, 1e-15);
  geo.inCenter({1, 1}, {1, 1}, {1, 1}, out);
  EXPECT_TRUE(std::isnan(out.x));
  EXPECT_TRUE(std::isnan(out.y));

  // Against the equidistance the circumcentre must satisfy, on random triangles.
  std::mt19937 g(8);
  std::uniform_real_distribution<double> d(-10.0, 10.0);
  for (int i = 0; i < 200; ++i) {
    const Point2D a{d(g), d(g)}, b{d(g), d(g)}, c{d(g), d(g)};
    geo.circumCenter(a, b, c, out);
    const double ra = std::hypot(out.x - a.x, out.y - a.y);
    EXPECT_NEAR(std::hypot(out.x - b.x, out.y - b.y) / ra, 1.0, 1e-6);
    EXPECT_NEAR(std::hypot(out.x - c.x, out.y - c.y) / ra, 1.0, 1e-6);
  }
}

}  // namespace
