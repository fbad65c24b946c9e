// Uniformly distributed rotations from a counter-based integer generator: the index-th rotation of
// a seed's stream is computed on its own, with integer arithmetic and +, −, ×, ÷, sqrt only, so
// every build gives the same rotations and batches can be drawn in any order.

#include <cmath>
#include <cstdint>

#include "zr/mathCommon.h"

namespace ZR {
namespace {

constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15u;

// The SplitMix64 finaliser (a bijection of 64-bit words).
std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

// SplitMix64 started at mix(mix(seed + γ) ^ index): for one seed, distinct indices start from
// distinct states.
struct Stream {
  std::uint64_t state;
  // An odd multiple of 2⁻⁵² in (−1, 1) from the top 52 bits of the next word: (2k + 1)·2⁻⁵² − 1,
  // exact, and symmetric about 0.
  double uniform() {
    state += kGamma;
    const std::uint64_t k = mix(state) >> 12;
    return static_cast<double>(2u * k + 1u) * 0x1p-52 - 1.0;
  }
  // A point uniform in the open unit disc by rejection (x and y drawn in that order); s = x² + y².
  // After 64 rejections in a row (probability below 1e-42) it settles for (0.5, 0.5).
  void disc(double& x, double& y, double& s) {
    for (int tries = 0; tries < 64; ++tries) {
      x = uniform();
      y = uniform();
      s = x * x + y * y;
      if (s < 1.0) return;
    }
    x = y = s = 0.5;
  }
};

}  // namespace

void mathCommon::quaRandom(std::uint64_t seed, std::uint64_t index, QuaD& out) {
  Stream g{mix(mix(seed + kGamma) ^ index)};
  // Marsaglia (1972): (x1, y1) and (x2, y2) uniform in the unit disc give the point
  // (x1, y1, x2·r, y2·r), r = sqrt((1 − s1)/s2), uniform on the unit sphere in 4-D.
  double x1, y1, s1, x2, y2, s2;
  g.disc(x1, y1, s1);
  g.disc(x2, y2, s2);  // s2 > 0: no draw is 0
  const double r = std::sqrt((1.0 - s1) / s2);
  out = QuaD{x1, y1, x2 * r, y2 * r};
}

}  // namespace ZR
