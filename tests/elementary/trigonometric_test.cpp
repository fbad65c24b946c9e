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

  // asind and the hyperbolic functions come from the C runtime.
  EXPECT_EQ(t.asind(1.0), std::asin(1.0) * 180.0 / 3.141592653589793);
  EXPECT_EQ(t.asind(0.5), std::asin(0.5) * 180.0 / 3.141592653589793);
  EXPECT_NEAR(t.asind(0.5), 30.0, 1e-13);
  EXPECT_TRUE(std::isnan(t.asind(1.5)));
  for (double x : {-2.0, -0.3, 0.7, 3.0}) {
    EXPECT_EQ(t.sinh(x), std::sinh(x));
    EXPECT_EQ(t.cosh(x), std::cosh(x));
    EXPECT_EQ(t.tanh(x), std::tanh(x));
    EXPECT_EQ(t.coth(x), 1.0 / std::tanh(x));
    EXPECT_EQ(t.sech(x), 1.0 / std::cosh(x));
    EXPECT_EQ(t.csch(x), 1.0 / std::sinh(x));
  }
  EXPECT_EQ(t.csch(0.0), kInf);
}

}  // namespace
