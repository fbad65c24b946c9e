#pragma once

// Exact orientation tests and squared distances for int points, shared by the hull algorithms.
// A coordinate difference of two ints needs 33 bits and a product of two such differences up to
// 64 bits, so the sums and differences of products are carried in a portable 128-bit two's
// complement pair (hi, lo); no compiler extension is needed, so 32-bit builds agree bit for bit.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "frame/failure.h"

namespace ZR::detail {

struct Wide {
  std::uint64_t hi;
  std::uint64_t lo;
};

inline bool operator==(const Wide& a, const Wide& b) { return a.hi == b.hi && a.lo == b.lo; }
inline bool operator!=(const Wide& a, const Wide& b) { return !(a == b); }

/// Signed comparison of two's complement pairs.
inline bool operator<(const Wide& a, const Wide& b) {
  const std::uint64_t flip = std::uint64_t{1} << 63;
  if (a.hi != b.hi) return (a.hi ^ flip) < (b.hi ^ flip);
  return a.lo < b.lo;
}
inline bool operator>(const Wide& a, const Wide& b) { return b < a; }

inline Wide negate(const Wide& a) {
  const std::uint64_t lo = ~a.lo + 1u;
  return {~a.hi + (lo == 0u ? 1u : 0u), lo};
}

inline Wide add(const Wide& a, const Wide& b) {
  const std::uint64_t lo = a.lo + b.lo;
  return {a.hi + b.hi + (lo < a.lo ? 1u : 0u), lo};
}

inline Wide sub(const Wide& a, const Wide& b) { return {a.hi - b.hi - (a.lo < b.lo ? 1u : 0u), a.lo - b.lo}; }

/// -1, 0 or +1.
inline int sign(const Wide& a) {
  if (a.hi >> 63) return -1;
  return (a.hi | a.lo) != 0u ? 1 : 0;
}

inline Wide absolute(const Wide& a) { return sign(a) < 0 ? negate(a) : a; }

/// Exact a·b for |a|, |b| < 2^63, from 32-bit halves of the magnitudes.
inline Wide product(std::int64_t a, std::int64_t b) {
  const bool negative = (a < 0) != (b < 0);
  const std::uint64_t ua = a < 0 ? 0u - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
  const std::uint64_t ub = b < 0 ? 0u - static_cast<std::uint64_t>(b) : static_cast<std::uint64_t>(b);
  const std::uint64_t mask = 0xffffffffu;
  const std::uint64_t a0 = ua & mask, a1 = ua >> 32, b0 = ub & mask, b1 = ub >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t mid = (p00 >> 32) + (p01 & mask) + (p10 & mask);
  const Wide m{p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (p00 & mask) | (mid << 32)};
  return negative ? negate(m) : m;
}

using Row = std::vector<int>;

inline std::int64_t dx(const Row& a, const Row& b) {
  return static_cast<std::int64_t>(a[0]) - static_cast<std::int64_t>(b[0]);
}
inline std::int64_t dy(const Row& a, const Row& b) {
  return static_cast<std::int64_t>(a[1]) - static_cast<std::int64_t>(b[1]);
}

/// The two's complement pair of a 64-bit value.
inline Wide widen(std::int64_t v) {
  return {v < 0 ? ~std::uint64_t{0} : std::uint64_t{0}, static_cast<std::uint64_t>(v)};
}

/// True when |d| < 2^31 for each: products of two such are below 2^62 and their sum or
/// difference fits 64 bits, so plain 64-bit arithmetic is exact.
inline bool narrow(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
  const std::int64_t lim = std::int64_t{1} << 31;
  return a > -lim && a < lim && b > -lim && b < lim && c > -lim && c < lim && d > -lim && d < lim;
}

/// A point's x and y, widened once, for the passes that visit rows many times.
struct XY {
  std::int64_t x;
  std::int64_t y;
};

/// (a.x − o.x)·(b.y − o.y) − (a.y − o.y)·(b.x − o.x): positive when b lies to the left of o→a.
inline Wide orientation(const XY& o, const XY& a, const XY& b) {
  const std::int64_t ax = a.x - o.x, by = b.y - o.y, ay = a.y - o.y, bx = b.x - o.x;
  if (narrow(ax, by, ay, bx)) return widen(ax * by - ay * bx);
  return sub(product(ax, by), product(ay, bx));
}
inline Wide orientation(const Row& o, const Row& a, const Row& b) {
  const std::int64_t ax = dx(a, o), by = dy(b, o), ay = dy(a, o), bx = dx(b, o);
  if (narrow(ax, by, ay, bx)) return widen(ax * by - ay * bx);
  return sub(product(ax, by), product(ay, bx));
}

/// (a.x − b.x)² + (a.y − b.y)².
inline Wide squaredDistance(const Row& a, const Row& b) {
  const std::int64_t x = dx(a, b), y = dy(a, b);
  if (narrow(x, y, 0, 0)) return widen(x * x + y * y);
  return add(product(x, x), product(y, y));
}

inline bool sameXY(const Row& a, const Row& b) { return a[0] == b[0] && a[1] == b[1]; }

/// Every row must carry an x and a y.
inline void requireXY(const std::vector<Row>& points) {
  for (const Row& r : points)
    if (r.size() < 2) throwOutOfRange();
}

}  // namespace ZR::detail
