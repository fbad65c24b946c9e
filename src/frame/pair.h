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

inline Pair loadPair(const double* p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void storePair(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

}  // namespace ZR::detail
