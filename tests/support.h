#pragma once

// What every test family shares: exact comparison of doubles and floats as bit patterns, the
// check of the library's two failures (type and message), and a portable random generator whose
// numbers are the same on every build (the standard distributions are not).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace zrtest {

inline std::uint64_t bits(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}
inline std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

/// Distance of two finite doubles in units in the last place (adjacent doubles are 1 apart).
inline std::uint64_t ulps(double a, double b) {
  const auto line = [](double d) {
    const std::uint64_t u = bits(d);
    return u >> 63 ? 0x8000000000000000ull - (u & 0x7fffffffffffffffull) : 0x8000000000000000ull + u;
  };
  const std::uint64_t x = line(a), y = line(b);
  return x > y ? x - y : y - x;
}

inline const std::string kSubscript = "invalid vector<T> subscript";
inline const std::string kTooLong = "vector<T> too long";

/// Runs call and expects std::out_of_range with kSubscript or std::length_error with kTooLong.
template <class F>
void expectFailure(F&& call, const std::string& what) {
  try {
    call();
    ADD_FAILURE() << "no exception, expected: " << what;
  } catch (const std::length_error& e) {
    EXPECT_EQ(what, kTooLong);
    EXPECT_EQ(e.what(), what);
  } catch (const std::out_of_range& e) {
    EXPECT_EQ(what, kSubscript);
    EXPECT_EQ(e.what(), what);
  }
}
template <class F>
void expectOutOfRange(F&& call) {
  expectFailure(call, kSubscript);
}

/// SplitMix64: the same sequence on every compiler and standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  /// Uniform in [lo, hi), 53 random bits.
  double in(double lo, double hi) {
    const double u = static_cast<double>(next() >> 11) / 9007199254740992.0;
    return lo + (hi - lo) * u;
  }
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }
  /// Uniform integer in [lo, hi].
  int between(int lo, int hi) {
    return static_cast<int>(static_cast<std::int64_t>(lo) +
                            static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(
                                                                   static_cast<std::int64_t>(hi) - lo + 1)));
  }
  std::vector<double> flat(int rows, int cols) {
    std::vector<double> v(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (double& x : v) x = in(-1.0, 1.0);
    return v;
  }

 private:
  std::uint64_t state_;
};

}  // namespace zrtest
