#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support.h"
#include "zr/TrigonometricFunctionMath.h"

namespace {

using zrtest::bits;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Published values: they only come out when every series is summed term by term as defined.
TEST(Trigonometric, PublishedValues) {
  ZR::TrigonometricFunctionMath t;
  const struct {
    double (ZR::TrigonometricFunctionMath::*f)(double);
    double x, want;
  } table[] = {
      {&ZR::TrigonometricFunctionMath::sin, 1.5707963267948966, 1.0000000000000002},
      {&ZR::TrigonometricFunctionMath::cos, 1.5707963267948966, 1.1102230246251565e-16},
      {&ZR::TrigonometricFunctionMath::tan, 1.5707963267948966, 9007199254740994.0},
      {&ZR::TrigonometricFunctionMath::sin, 3.141592653589793, 3.458669144327514e-16},
      {&ZR::TrigonometricFunctionMath::cos, 3.141592653589793, -1.0000000000000004},
      {&ZR::TrigonometricFunctionMath::sind, 30.0, 0.49999999999999994},
      {&ZR::TrigonometricFunctionMath::tand, 45.0, 0.9999999999999999},
      {&ZR::TrigonometricFunctionMath::sin, 20.0, 0.9133197339160871},
      {&ZR::TrigonometricFunctionMath::sin, 25.0, 184.95144790063796},
      {&ZR::TrigonometricFunctionMath::csc, 0.0, kInf},
      {&ZR::TrigonometricFunctionMath::sec, 3.141592653589793, 1.0 / -1.0000000000000004},
      {&ZR::TrigonometricFunctionMath::asin, 0.5, 0.523598775598299},
      {&ZR::TrigonometricFunctionMath::asin, 1.0, 1.5143540284370964},
      {&ZR::TrigonometricFunctionMath::asin, 1.1, 306787.1136429672},
      {&ZR::TrigonometricFunctionMath::acosh, 1.0, 0.0},
      {&ZR::TrigonometricFunctionMath::asinh, -1.0e8, -kInf},
      {&ZR::TrigonometricFunctionMath::atanh, 1.0, kInf},
      {&ZR::TrigonometricFunctionMath::acoth, 1.0, kInf},
      {&ZR::TrigonometricFunctionMath::asech, 0.0, kInf},
      {&ZR::TrigonometricFunctionMath::acsch, 0.0, kInf},
      {&ZR::TrigonometricFunctionMath::csch, 0.0, kInf},
  };
  for (const auto& c : table) EXPECT_EQ(bits((t.*c.f)(c.x)), bits(c.want)) << c.x << " -> " << c.want;
  EXPECT_TRUE(std::isnan(t.sin(1.0e6)) && std::isnan(t.acosh(0.5)) && std::isnan(t.acoth(0.5)));
  EXPECT_TRUE(std::isnan(t.atanh(2.0)) && std::isnan(t.asech(2.0)) && std::isnan(t.asind(1.5)));
}

// The degree variants and the reciprocal functions are the radian series at d·(π/180), divided.
TEST(Trigonometric, DegreeAndReciprocalForms) {
  ZR::TrigonometricFunctionMath t;
  for (double d = -720.0; d <= 720.0; d += 37.25) {
    const double u = d * 0.017453292519943295;
    EXPECT_EQ(bits(t.sind(d)), bits(t.sin(u))) << d;
    EXPECT_EQ(bits(t.cosd(d)), bits(t.cos(u))) << d;
    EXPECT_EQ(bits(t.tand(d)), bits(t.sin(u) / t.cos(u))) << d;
    EXPECT_EQ(bits(t.secd(d)), bits(1.0 / t.cos(u))) << d;
    EXPECT_EQ(bits(t.cscd(d)), bits(1.0 / t.sin(u))) << d;
    EXPECT_EQ(bits(t.cotd(d)), bits(t.cos(u) / t.sin(u))) << d;
    EXPECT_EQ(bits(t.sec(u)), bits(1.0 / t.cos(u))) << d;
    EXPECT_EQ(bits(t.csc(u)), bits(1.0 / t.sin(u))) << d;
    EXPECT_EQ(bits(t.cot(u)), bits(t.cos(u) / t.sin(u))) << d;
  }
}

// Oracle: up to |x| = π the series stay within 4 ulp of 1.0 of the C runtime (the large middle
// terms cancel, so the error is absolute); the inverse and hyperbolic forms within a few ulp.
TEST(Trigonometric, AgreeWithTheRuntime) {
  ZR::TrigonometricFunctionMath t;
  const double tol = 4 * std::numeric_limits<double>::epsilon();
  for (double x = -3.14; x <= 3.14; x += 0.01) {
    EXPECT_NEAR(t.sin(x), std::sin(x), tol) << x;
    EXPECT_NEAR(t.cos(x), std::cos(x), tol) << x;
  }
  for (double x = -0.5; x <= 0.5; x += 0.01) EXPECT_NEAR(t.asin(x), std::asin(x), tol) << x;
  // The logarithmic forms cancel for some arguments, so they get a looser bound than the rest.
  auto near = [](double got, double want, double rel = 8e-16) {
    return std::fabs(got - want) <= rel * std::fabs(want);
  };
  for (double x : {-2.0, -0.3, 0.7, 3.0}) EXPECT_TRUE(near(t.asinh(x), std::asinh(x), 1e-13)) << x;
  for (double x : {0.2, 0.5, 0.9}) {
    EXPECT_TRUE(near(t.atanh(x), std::atanh(x), 1e-13) && near(t.asech(x), std::acosh(1.0 / x), 1e-13)) << x;
    EXPECT_TRUE(near(t.acosh(1.0 + x), std::acosh(1.0 + x), 1e-13) &&
                near(t.acoth(1.0 + x), std::atanh(1.0 / (1.0 + x)), 1e-13));
    EXPECT_TRUE(near(t.acsch(-x), std::asinh(-1.0 / x), 1e-13) &&
                near(t.asind(x), std::asin(x) * 57.29577951308232, 4e-16))
        << x;
  }
}

// The hyperbolic functions and asind use the correctly rounded sinh, cosh, tanh and asin:
// MPFR's values, rounded to nearest.
TEST(Trigonometric, HyperbolicAgainstMpfr) {
  ZR::TrigonometricFunctionMath t;
  const struct {
    double x, sinh, cosh, tanh;
  } table[] = {
      {-2.0, -0x1.d03cf63b6e19fp+1, 0x1.e18fa0df2d9bcp+1, -0x1.ed9505e1bc3d4p-1},
      {-0.3, -0x1.37d42af54b926p-2, 0x1.0b9b4e0b6ec4cp+0, -0x1.2a4dda7d914fap-2},
      {0.7, 0x1.8465153d5bdbdp-1, 0x1.4152c1862342fp+0, 0x1.356fb17af2e91p-1},
      {3.0, 0x1.40926e70949aep+3, 0x1.422a497d6185ep+3, 0x1.fd77d111a0bp-1},
  };
  for (const auto& h : table) {
    EXPECT_TRUE(t.sinh(h.x) == h.sinh && t.cosh(h.x) == h.cosh && t.tanh(h.x) == h.tanh) << h.x;
    EXPECT_TRUE(t.coth(h.x) == 1.0 / h.tanh && t.sech(h.x) == 1.0 / h.cosh && t.csch(h.x) == 1.0 / h.sinh)
        << h.x;
  }
  EXPECT_EQ(t.asind(1.0), 0x1.921fb54442d18p+0 * 180.0 / 3.141592653589793);
  EXPECT_EQ(t.asind(0.5), 0x1.0c152382d7366p-1 * 180.0 / 3.141592653589793);
}

}  // namespace
