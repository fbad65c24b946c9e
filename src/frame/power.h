#pragma once

// Integer power and factorial shared by the families. Both are defined by their order of
// operations, so every build gives the same bits; no library pow is involved.

#include <cstdint>
#include <limits>

namespace ZR::detail {

/// x^k by binary exponentiation from the lowest bit of |k|, every product rounded to double:
/// r = 1, b = x; while bits remain: if the low bit is set r = r·b; shift; if bits remain b = b·b.
/// Returns r, or 1.0/r for k < 0. x^0 is exactly 1.0 for every x (NaN and ±inf too), and
/// (−1.0)^k is exactly ±1.0. k = INT_MIN is handled (|k| is taken in unsigned arithmetic).
inline double intPow(double x, std::int32_t k) {
  double r = 1.0;
  double b = x;
  std::uint32_t e = k < 0 ? 0u - static_cast<std::uint32_t>(k) : static_cast<std::uint32_t>(k);
  for (;;) {
    if (e & 1u) r = r * b;
    e >>= 1;
    if (e == 0u) break;
    b = b * b;
  }
  return k < 0 ? 1.0 / r : r;
}

/// m! as the double product 1·2·…·m with the factors in ascending order; 1.0 for m ≤ 0.
/// From 171 on the product is +inf (170! is the last finite one), returned without the loop.
inline double factorialAscending(std::int32_t m) {
  if (m > 170) return std::numeric_limits<double>::infinity();
  double r = 1.0;
  for (std::int32_t i = 1; i <= m; ++i) r = r * static_cast<double>(i);
  return r;
}

}  // namespace ZR::detail
