#pragma once

// Shared helpers of the matrix tests. Random doubles come straight from mt19937 words, which
// are the same on every build (the standard distributions are not).

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace zrtest {

class Random {
 public:
  explicit Random(std::uint32_t seed) : gen_(seed) {}
  /// Uniform in [lo, hi), 53 random bits.
  double in(double lo, double hi) {
    const std::uint64_t high = static_cast<std::uint64_t>(gen_()) >> 5;  // two statements: a fixed order
    const std::uint64_t low = static_cast<std::uint64_t>(gen_()) >> 6;
    const std::uint64_t bits = (high << 26) + low;
    return lo + (hi - lo) * (static_cast<double>(bits) / 9007199254740992.0);
  }
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(gen_() % n); }
  std::vector<double> flat(int rows, int cols) {
    std::vector<double> v(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (double& x : v) x = in(-1.0, 1.0);
    return v;
  }

 private:
  std::mt19937 gen_;
};

inline void expectOutOfRange(const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_EQ(std::string(e.what()), "invalid vector<T> subscript");
  }
}

}  // namespace zrtest
