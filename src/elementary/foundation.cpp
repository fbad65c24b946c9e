#include "zr/foundationMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "frame/elementary_functions.h"
#include "frame/power.h"

namespace ZR {

namespace {

// Truncating remainder with the two traps defined away: b = 0 gives a, INT_MIN % −1 gives 0.
std::int32_t remainder(std::int32_t a, std::int32_t b) {
  if (b == 0) return a;
  if (b == -1) return 0;
  return a % b;
}

// Truncating quotient that wraps like the products do: INT_MIN / −1 is INT_MIN. b is never 0.
std::int32_t wrappedQuotient(std::int32_t a, std::int32_t b) {
  if (b == -1) return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
  return a / b;
}

std::int32_t euclid(std::int32_t a, std::int32_t b) {
  if (b == 0) return a;
  std::int32_t r = remainder(a, b);
  while (r != 0) {
    a = b;
    b = r;
    r = remainder(a, b);
  }
  return b;
}

}  // namespace

double foundationMath::rad2deg(double r) { return r * 57.29577951308232; }

double foundationMath::deg2rad(double d) { return d * 0.017453292519943295; }

void foundationMath::cart2pol(Point2D p, Point2D& out) {
  out.x = zr_frame::atan2(p.y, p.x);
  out.y = std::sqrt(p.y * p.y + p.x * p.x);
}

void foundationMath::pol2cart(Point2D polar, Point2D& out) {
  const double theta = polar.x;
  const double r = polar.y;
  out.x = r * zr_frame::cos(theta);
  out.y = r * zr_frame::sin(theta);
}

double foundationMath::angle(double a, double b) { return zr_frame::atan(b / a); }

int foundationMath::rem(int a, int b) { return remainder(a, b); }

std::vector<int> foundationMath::factor(int n) {
  std::vector<int> factors;
  if (n < 2) return factors;
  // Trial division may stop once d² passes the cofactor, which is then prime: the list is the
  // one a run up to the cofactor itself gives, and d never comes near overflowing.
  std::int32_t d = 2;
  while (std::int64_t{d} * d <= n) {
    while (n % d == 0) {
      factors.push_back(d);
      n /= d;
    }
    ++d;
  }
  if (n > 1) factors.push_back(n);
  return factors;
}

double foundationMath::factorial(int n) { return detail::factorialAscending(n); }

int foundationMath::gcd(int a, int b) { return euclid(a, b); }

int foundationMath::lcm(int a, int b) {
  if (b == 0) return 0;
  const auto p = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
  const std::int32_t r = remainder(a, b);
  if (r == 0) return wrappedQuotient(p, b);
  return wrappedQuotient(p, euclid(b, r));
}

}  // namespace ZR
