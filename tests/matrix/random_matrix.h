#pragma once

// Fixed-seed random doubles that are the same on every build: mt19937 words are portable, so
// the doubles are derived from them directly rather than through the library's distributions.

#include <cstdint>
#include <random>
#include <vector>

namespace zrtest {

class Random {
 public:
  explicit Random(std::uint32_t seed) : gen_(seed) {}

  /// Uniform in [0, 1) with 53 random bits.
  double unit() {
    const std::uint64_t hi = gen_() >> 5;
    const std::uint64_t lo = gen_() >> 6;
    return static_cast<double>(hi * 67108864u + lo) / 9007199254740992.0;
  }
  /// Uniform in [lo, hi).
  double in(double lo, double hi) { return lo + (hi - lo) * unit(); }
  /// Integer in [0, n).
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(gen_() % n); }

  /// rows × cols values in [−1, 1), row-major.
  std::vector<double> flat(int rows, int cols) {
    std::vector<double> v(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (double& x : v) x = in(-1.0, 1.0);
    return v;
  }

 private:
  std::mt19937 gen_;
};

}  // namespace zrtest
