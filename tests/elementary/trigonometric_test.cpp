#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "zr/TrigonometricFunctionMath.h"

namespace {

using ZR::TrigonometricFunctionMath;
constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t bits(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}

// The published values only come out when every series is summed term by term as defined.
TEST(Trigonometric, SeriesValues) {
  TrigonometricFunctionMath t;
  EXPECT_EQ(bits(t.sin(0.0)), bits(0.0));
  EXPECT_EQ(t.cos(0.0), 1.0);
  EXPECT_EQ(t.sin(1.5707963267948966), 1.0000000000000002);
  EXPECT_EQ(t.cos(1.5707963267948966), 1.1102230246251565e-16);
  EXPECT_EQ(t.tan(1.5707963267948966), 9007199254740994.0);
  EXPECT_EQ(t.sind(90.0), 1.0000000000000002);
  EXPECT_EQ(t.cosd(90.0), 1.1102230246251565e-16);
  EXPECT_EQ(t.tand(90.0), 9007199254740994.0);
  EXPECT_EQ(t.sin(3.141592653589793), 3.458669144327514e-16);
  EXPECT_EQ(t.cos(3.141592653589793), -1.0000000000000004);
  EXPECT_EQ(t.sind(30.0), 0.49999999999999994);
  EXPECT_EQ(t.tand(45.0), 0.9999999999999999);
  EXPECT_EQ(t.sin(10.0), -0.5440211108892695);
  EXPECT_EQ(t.sin(20.0), 0.9133197339160871);
  EXPECT_EQ(t.sin(25.0), 184.95144790063796);
  EXPECT_TRUE(std::isnan(t.sin(1.0e6)));
  EXPECT_EQ(t.csc(0.0), kInf);
  EXPECT_EQ(t.cot(0.0), kInf);
  EXPECT_EQ(t.sec(0.0), 1.0);
  EXPECT_EQ(t.asin(0.5), 0.523598775598299);
  EXPECT_EQ(t.asin(-0.5), -0.523598775598299);
  EXPECT_EQ(t.asin(1.0), 1.5143540284370964);
  EXPECT_EQ(t.asin(1.1), 306787.1136429672);
}

TEST(Trigonometric, DegreeVariantsShareTheRadianBits) {
  TrigonometricFunctionMath t;
  for (double d = -720.0; d <= 720.0; d += 7.25) {
    const double u = d * 0.017453292519943295;
    EXPECT_EQ(bits(t.sind(d)), bits(t.sin(u))) << d;
    EXPECT_EQ(bits(t.cosd(d)), bits(t.cos(u))) << d;
    EXPECT_EQ(bits(t.tand(d)), bits(t.sin(u) / t.cos(u))) << d;
    EXPECT_EQ(bits(t.secd(d)), bits(1.0 / t.cos(u))) << d;
    EXPECT_EQ(bits(t.cscd(d)), bits(1.0 / t.sin(u))) << d;
    EXPECT_EQ(bits(t.cotd(d)), bits(t.cos(u) / t.sin(u))) << d;
  }
}

// Up to |x| = π the series stay within 4 ulp of 1.0 of the C runtime (the large middle terms
// cancel, so the error is absolute, not relative).
TEST(Trigonometric, SeriesAgreeWithTheRuntimeNearZero) {
  TrigonometricFunctionMath t;
  const double tol = 4 * std::numeric_limits<double>::epsilon();
  for (double x = -3.14; x <= 3.14; x += 0.01) {
    EXPECT_NEAR(t.sin(x), std::sin(x), tol) << x;
    EXPECT_NEAR(t.cos(x), std::cos(x), tol) << x;
  }
  for (double x = -0.5; x <= 0.5; x += 0.01) EXPECT_NEAR(t.asin(x), std::asin(x), tol) << x;
}

TEST(Trigonometric, LogarithmicAndHyperbolic) {
  TrigonometricFunctionMath t;
  EXPECT_EQ(t.acosh(1.0), 0.0);
  EXPECT_TRUE(std::isnan(t.acosh(0.5)));
  EXPECT_EQ(t.asinh(-1.0e8), -kInf);
  EXPECT_EQ(t.atanh(1.0), kInf);
  EXPECT_EQ(t.atanh(-1.0), -kInf);
  EXPECT_TRUE(std::isnan(t.atanh(2.0)));
  EXPECT_EQ(t.acoth(1.0), kInf);
  EXPECT_TRUE(std::isnan(t.acoth(0.5)));
  EXPECT_EQ(t.asech(0.0), kInf);
  EXPECT_TRUE(std::isnan(t.asech(2.0)));
  EXPECT_EQ(t.acsch(0.0), kInf);
  EXPECT_EQ(t.acsch(-0.5), std::log(std::sqrt(1.25) / 0.5 - 2.0));
  EXPECT_NEAR(t.acsch(-0.5), -1.44364, 1e-5);

  // asind and the hyperbolic functions use the correctly rounded asin, sinh, cosh and tanh:
  // the values below are MPFR's, rounded to nearest.
  EXPECT_EQ(t.asind(1.0), 0x1.921fb54442d18p+0 * 180.0 / 3.141592653589793);
  EXPECT_EQ(t.asind(0.5), 0x1.0c152382d7366p-1 * 180.0 / 3.141592653589793);
  EXPECT_NEAR(t.asind(0.5), 30.0, 1e-13);
  EXPECT_TRUE(std::isnan(t.asind(1.5)));
  const struct {
    double x, sinh, cosh, tanh;
  } hyperbolic[] = {
      {-2.0, -0x1.d03cf63b6e19fp+1, 0x1.e18fa0df2d9bcp+1, -0x1.ed9505e1bc3d4p-1},
      {-0.3, -0x1.37d42af54b926p-2, 0x1.0b9b4e0b6ec4cp+0, -0x1.2a4dda7d914fap-2},
      {0.7, 0x1.8465153d5bdbdp-1, 0x1.4152c1862342fp+0, 0x1.356fb17af2e91p-1},
      {3.0, 0x1.40926e70949aep+3, 0x1.422a497d6185ep+3, 0x1.fd77d111a0bp-1},
  };
  for (const auto& h : hyperbolic) {
    EXPECT_EQ(t.sinh(h.x), h.sinh);
    EXPECT_EQ(t.cosh(h.x), h.cosh);
    EXPECT_EQ(t.tanh(h.x), h.tanh);
    EXPECT_EQ(t.coth(h.x), 1.0 / h.tanh);
    EXPECT_EQ(t.sech(h.x), 1.0 / h.cosh);
    EXPECT_EQ(t.csch(h.x), 1.0 / h.sinh);
  }
  EXPECT_EQ(t.csch(0.0), kInf);
}

}  // namespace
