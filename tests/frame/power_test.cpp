#include "frame/power.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "frame/failure.h"
#include "support.h"

namespace {

using ZR::detail::factorialAscending;
using ZR::detail::intPow;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Binary exponentiation, written out: x^5 = x·(x²)², x^6 = x²·x⁴ (both differ from repeated
// multiplication in the last bit for x = 1.1); a negative exponent takes the reciprocal of the
// positive power, which overflows first, so tiny results flush to 0.
TEST(IntPow, FollowsTheSquaringLadder) {
  const double x = 1.1, b2 = x * x, b4 = b2 * b2;
  const struct {
    double x;
    int k;
    double want;
  } table[] = {
      {x, 5, x * b4},      {x, 6, b2 * b4},     {x, -6, 1.0 / (b2 * b4)},
      {-2.0, 3, -8.0},     {2.0, -3, 0.125},    {-1.0, INT_MAX, -1},
      {-1.0, INT_MIN, 1},  {-1.0, -7, -1},      {kNaN, 0, 1.0},
      {kInf, 0, 1.0},      {-0.0, 0, 1.0},      {2.0, 1023, std::ldexp(1.0, 1023)},
      {2.0, 1024, kInf},   {2.0, -1074, 0.0},   {2.0, -1022, std::ldexp(1.0, -1022)},
      {1.0, INT_MIN, 1.0}, {2.0, INT_MIN, 0.0}, {0.5, INT_MIN, kInf},
      {0.0, -1, kInf},     {-0.0, -1, -kInf},
  };
  for (const auto& c : table)
    EXPECT_EQ(zrtest::bits(intPow(c.x, c.k)), zrtest::bits(c.want)) << c.x << "^" << c.k;
  EXPECT_TRUE(std::isnan(intPow(kNaN, 3)));
}

TEST(Factorial, AscendingProduct) {
  double p = 1.0;
  for (int i = 1; i <= 170; ++i) p = p * i;
  EXPECT_EQ(factorialAscending(170), p);
  EXPECT_TRUE(factorialAscending(-5) == 1.0 && factorialAscending(0) == 1.0 &&
              factorialAscending(5) == 120.0);
  EXPECT_TRUE(factorialAscending(171) == kInf && factorialAscending(INT_MAX) == kInf);
}

TEST(Failure, MessagesAreFixed) {
  zrtest::expectFailure([] { ZR::detail::throwLengthError(); }, zrtest::kTooLong);
  const std::vector<int> v{1, 2};
  EXPECT_EQ(ZR::detail::at(v, 1), 2);
  zrtest::expectOutOfRange([&] { (void)ZR::detail::at(v, 2); });
}

}  // namespace
