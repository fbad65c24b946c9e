#pragma once

// Two doubles handled as one value, for loops whose lanes are independent. Each lane is an
// ordinary IEEE multiplication, addition or subtraction of its own operands (no contraction, no
// reassociation), so the lanes give exactly the bits of the scalar code.

#include <cstring>

namespace ZR::detail {

#if defined(__GNUC__)
typedef double Pair __attribute__((vector_size(16)));
#else
struct Pair {
  double lo, hi;
};
inline Pair operator+(Pair a, Pair b) { return {a.lo + b.lo, a.hi + b.hi}; }
inline Pair operator-(Pair a, Pair b) { return {a.lo - b.lo, a.hi - b.hi}; }
inline Pair operator*(Pair a, Pair b) { return {a.lo * b.lo, a.hi * b.hi}; }
#endif

/// Each lane rounded to float and widened back: the scalar static_cast<double>(static_cast<float>(x)).
inline Pair roundedToFloat(Pair v) {
#if defined(__GNUC__)
  typedef float Float2 __attribute__((vector_size(8)));
  return __builtin_convertvector(__builtin_convertvector(v, Float2), Pair);
#else
  return {static_cast<double>(static_cast<float>(v.lo)), static_cast<double>(static_cast<float>(v.hi))};
#endif
}

inline Pair loadPair(const double* p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void storePair(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

}  // namespace ZR::detail
