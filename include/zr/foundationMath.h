#pragma once

/// \class ZR::foundationMath
/// foundationMath: angle units, plane polar coordinates, slopes and 32-bit integer helpers.
///
/// Integers are 32-bit and truncate toward zero; products wrap modulo 2^32 (two's complement).
/// No integer helper traps: the divisor 0 and the quotient INT_MIN / −1 have defined results below.

#include <vector>

#include "zr/export.h"
#include "zr/types.h"

namespace ZR {

class ZR_API foundationMath {
 public:
  /// r · 57.29577951308232 (one multiplication).
  double rad2deg(double r);
  /// d · 0.017453292519943295 (one multiplication).
  double deg2rad(double d);
  /// out := (atan2(p.y, p.x), sqrt(p.y² + p.x²)): x the angle in (−π, π], y the radius.
  void cart2pol(Point2D p, Point2D& out);
  /// Reads polar as cart2pol writes it (x angle, y radius): out := (r·cos θ, r·sin θ).
  void pol2cart(Point2D polar, Point2D& out);
  /// atan(b / a), in [−π/2, π/2]; the quadrant is not resolved. a = 0 gives ±π/2, 0/0 NaN.
  double angle(double a, double b);
  /// a − (a / b)·b, the sign of a. rem(a, 0) = a; rem(INT_MIN, −1) = 0.
  int rem(int a, int b);
  /// Prime factors of n, ascending, with multiplicity; n < 2 gives the empty list.
  std::vector<int> factor(int n);
  /// n! as the double product 1·2·…·n; 1.0 for n < 1, +inf from 171 on.
  double factorial(int n);
  /// Euclid's algorithm on truncating remainders, so the sign can be negative: gcd(4, −6) = −2.
  /// gcd(a, 0) = a.
  int gcd(int a, int b);
  /// (a·b wrapped) / gcd, the quotient wrapped too (INT_MIN / −1 = INT_MIN). lcm(a, 0) = 0.
  int lcm(int a, int b);
};

}  // namespace ZR
