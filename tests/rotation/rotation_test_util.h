#pragma once

#include <cmath>
#include <cstdint>
#include <random>

#include "support.h"
#include "zr/types.h"

namespace zrtest {

// Uniform double in (lo, hi) built from the generator's integers, identical on every build.
inline double uniform(std::mt19937_64& g, double lo, double hi) {
  const double u = static_cast<double>(g() >> 11) * 0x1.0p-53;
  return lo + (hi - lo) * u;
}

inline ZR::QuaD hamilton(const ZR::QuaD& p, const ZR::QuaD& q) {
  return {p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z, p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y,
          p.w * q.y - p.x * q.z + p.y * q.w + p.z * q.x, p.w * q.z + p.x * q.y - p.y * q.x + p.z * q.w};
}

// Largest component difference of p and ±q (a rotation's quaternion is defined up to sign).
inline double distanceUpToSign(const ZR::QuaD& p, const ZR::QuaD& q) {
  const double plus = std::fmax(std::fmax(std::fabs(p.w - q.w), std::fabs(p.x - q.x)),
                                std::fmax(std::fabs(p.y - q.y), std::fabs(p.z - q.z)));
  const double minus = std::fmax(std::fmax(std::fabs(p.w + q.w), std::fabs(p.x + q.x)),
                                 std::fmax(std::fabs(p.y + q.y), std::fabs(p.z + q.z)));
  return std::fmin(plus, minus);
}

}  // namespace zrtest
