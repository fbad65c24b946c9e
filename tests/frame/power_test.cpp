#include "frame/power.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "frame/failure.h"

namespace {

using ZR::detail::factorialAscending;
using ZR::detail::intPow;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Independent transcription: repeated multiplication gives the same bits as binary
// exponentiation only for small exponents, so the oracle is the squaring ladder written out.
TEST(IntPow, ZeroExponentIsExactlyOne) {
  for (double x : {0.0, -0.0, 1.5, -3.0, kInf, -kInf, kNaN, 1e308, 5e-324}) {
    EXPECT_EQ(intPow(x, 0), 1.0) << x;
  }
}

TEST(IntPow, MinusOneGivesExactSigns) {
  for (int k : {1, 2, 3, 10, 11, -1, -2, -7, INT_MAX, INT_MIN, INT_MIN + 1}) {
    EXPECT_EQ(intPow(-1.0, k), (k % 2 == 0) ? 1.0 : -1.0) << k;
  }
}

TEST(IntPow, FollowsTheSquaringLadder) {
  // x^5 = x·(x²)²: r = x, b = x², b = x⁴, r = x·x⁴. Differs from x·x·x·x·x in the last bit here.
  const double x = 1.1;
  const double b2 = x * x;
  const double b4 = b2 * b2;
  EXPECT_EQ(intPow(x, 5), x * b4);
  // x^6 = x²·x⁴
  EXPECT_EQ(intPow(x, 6), b2 * b4);
  EXPECT_EQ(intPow(x, -6), 1.0 / (b2 * b4));
  EXPECT_EQ(intPow(2.0, 10), 1024.0);
  EXPECT_EQ(intPow(2.0, -3), 0.125);
  EXPECT_EQ(intPow(-2.0, 3), -8.0);
}

TEST(IntPow, LargeAndExtremeExponents) {
  EXPECT_EQ(intPow(2.0, 1023), std::ldexp(1.0, 1023));
  EXPECT_EQ(intPow(2.0, 1024), kInf);
  // The positive power overflows before the reciprocal is taken, so tiny results flush to 0.
  EXPECT_EQ(intPow(2.0, -1074), 0.0);
  EXPECT_EQ(intPow(2.0, -1022), std::ldexp(1.0, -1022));
  EXPECT_EQ(intPow(1.0, INT_MIN), 1.0);
  EXPECT_EQ(intPow(2.0, INT_MIN), 0.0);
  EXPECT_EQ(intPow(0.5, INT_MIN), kInf);
  EXPECT_EQ(intPow(0.0, -1), kInf);
  EXPECT_EQ(intPow(-0.0, -1), -kInf);
  EXPECT_TRUE(std::isnan(intPow(kNaN, 3)));
}

TEST(Factorial, AscendingProduct) {
  EXPECT_EQ(factorialAscending(-5), 1.0);
  EXPECT_EQ(factorialAscending(0), 1.0);
  EXPECT_EQ(factorialAscending(1), 1.0);
  EXPECT_EQ(factorialAscending(5), 120.0);
  double p = 1.0;
  for (int i = 1; i <= 170; ++i) p = p * i;
  EXPECT_EQ(factorialAscending(170), p);
  EXPECT_TRUE(std::isfinite(p));
  EXPECT_EQ(factorialAscending(171), kInf);
  EXPECT_EQ(factorialAscending(INT_MAX), kInf);
}

TEST(Failure, MessagesAreFixed) {
  try {
    ZR::detail::throwLengthError();
    FAIL();
  } catch (const std::length_error& e) {
    EXPECT_STREQ(e.what(), "vector<T> too long");
  }
  const std::vector<int> v{1, 2};
  EXPECT_EQ(ZR::detail::at(v, 1), 2);
  try {
    (void)ZR::detail::at(v, 2);
    FAIL();
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
}

}  // namespace
