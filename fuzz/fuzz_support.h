#pragma once

// Shared pieces of the fuzz targets: a decoder that turns arbitrary bytes into the values the
// library takes (with the troublesome ones, NaN, ±inf, −0.0, INT_MIN and INT_MAX, one byte away),
// and the checks every target applies. A violated check aborts, so libFuzzer and the corpus replay
// both report it as a crash.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

namespace zrfuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "zr fuzz check failed at %s:%d: %s\n", file, line, what);
  std::fflush(stderr);
  std::abort();
}

#define ZR_FUZZ_CHECK(cond)                                 \
  do {                                                      \
    if (!(cond)) ::zrfuzz::fail(#cond, __FILE__, __LINE__); \
  } while (false)

/// Reads values from the front of the fuzzer's bytes; once they run out every read gives zero.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }

  std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : std::uint8_t{0}; }

  std::uint32_t u32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
    return v;
  }

  std::uint64_t u64() {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | byte();
    return v;
  }

  /// A count in [0, max].
  std::size_t count(std::size_t max) { return static_cast<std::size_t>(byte()) % (max + 1); }

  /// An int in [lo, hi] (hi − lo below 2^32).
  std::int32_t range(std::int32_t lo, std::int32_t hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(lo) + static_cast<std::int64_t>(u32() % span));
  }

  /// Any int; the extremes and small values are one byte away.
  std::int32_t int32() {
    const std::uint8_t sel = byte();
    switch (sel % 8) {
      case 0:
        return std::numeric_limits<std::int32_t>::min();
      case 1:
        return std::numeric_limits<std::int32_t>::max();
      case 2:
        return static_cast<std::int32_t>(sel / 8) - 16;  // −16 … 15
      case 3:
        return static_cast<std::int32_t>(sel / 8) - 16;
      case 4:
        return std::numeric_limits<std::int32_t>::min() + static_cast<std::int32_t>(sel / 8);
      case 5:
        return std::numeric_limits<std::int32_t>::max() - static_cast<std::int32_t>(sel / 8);
      default: {
        const std::uint32_t u = u32();
        std::int32_t v;
        std::memcpy(&v, &u, sizeof v);
        return v;
      }
    }
  }

  /// A small int in [lo, hi] most of the time, any int (extremes included) otherwise.
  std::int32_t intMostly(std::int32_t lo, std::int32_t hi) {
    if (byte() % 8 == 0) return int32();
    return range(lo, hi);
  }

  /// Any double: the special values and small exact numbers are one byte away, raw bits otherwise.
  double real() {
    const std::uint8_t sel = byte();
    switch (sel % 16) {
      case 0:
        return 0.0;
      case 1:
        return -0.0;
      case 2:
        return std::numeric_limits<double>::quiet_NaN();
      case 3:
        return std::numeric_limits<double>::infinity();
      case 4:
        return -std::numeric_limits<double>::infinity();
      case 5:
        return (sel / 16) % 2 == 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
      case 6:
        return (sel / 16) % 2 == 0 ? std::numeric_limits<double>::denorm_min()
                                   : std::numeric_limits<double>::min();
      case 7:
        return (sel / 16) % 2 == 0 ? 2147483648.0 : -2147483649.0;
      case 8:
      case 9:
      case 10:
        return static_cast<double>(static_cast<std::int32_t>(sel / 16) - 8);
      case 11:
      case 12:
        return static_cast<double>(range(-100000, 100000)) / 64.0;
      default: {
        const std::uint64_t u = u64();
        double v;
        std::memcpy(&v, &u, sizeof v);
        return v;
      }
    }
  }

  /// A finite double of moderate size (|x| < 2^20), for places where only the shape matters.
  double moderate() { return static_cast<double>(range(-(1 << 26), 1 << 26)) / 64.0; }

  float real32() {
    const double d = real();
    if (std::isnan(d)) return std::numeric_limits<float>::quiet_NaN();
    if (d > static_cast<double>(std::numeric_limits<float>::max()))
      return std::numeric_limits<float>::infinity();
    if (d < -static_cast<double>(std::numeric_limits<float>::max()))
      return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
  }

  std::vector<double> reals(std::size_t maxLen) {
    std::vector<double> v(count(maxLen));
    for (double& e : v) e = real();
    return v;
  }

  std::vector<int> ints(std::size_t maxLen) {
    std::vector<int> v(count(maxLen));
    for (int& e : v) e = int32();
    return v;
  }

  /// A vector of rows: usually rectangular, sometimes ragged, empty rows and zero rows reachable.
  template <class T, class Gen>
  std::vector<std::vector<T>> rows(std::size_t maxRows, std::size_t maxCols, Gen gen) {
    const std::size_t r = count(maxRows);
    const std::size_t c = count(maxCols);
    const bool ragged = byte() % 4 == 0;
    std::vector<std::vector<T>> m(r);
    for (auto& row : m) {
      row.resize(ragged ? count(maxCols) : c);
      for (auto& e : row) e = gen();
    }
    return m;
  }

  std::vector<std::vector<double>> realRows(std::size_t maxRows, std::size_t maxCols) {
    return rows<double>(maxRows, maxCols, [this] { return real(); });
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

/// Runs f and lets only the library's two failures (with their exact messages) and allocation
/// failure pass; anything else aborts. Returns true when f returned normally.
template <class F>
bool guarded(F&& f) {
  try {
    f();
    return true;
  } catch (const std::out_of_range& e) {
    if (std::strcmp(e.what(), "invalid vector<T> subscript") != 0) fail(e.what(), __FILE__, __LINE__);
  } catch (const std::length_error& e) {
    if (std::strcmp(e.what(), "vector<T> too long") != 0) fail(e.what(), __FILE__, __LINE__);
  } catch (const std::bad_alloc&) {
  } catch (const std::exception& e) {
    fail(e.what(), __FILE__, __LINE__);
  } catch (...) {
    fail("an exception that is not a std::exception", __FILE__, __LINE__);
  }
  return false;
}

/// Bitwise equality, so NaN equals itself and −0.0 differs from 0.0.
inline bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline bool same(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline bool same(int a, int b) { return a == b; }

template <class T>
bool same(const std::vector<T>& a, const std::vector<T>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!same(a[i], b[i])) return false;
  return true;
}

/// True when m has exactly r rows of c entries each.
template <class T>
bool shaped(const std::vector<std::vector<T>>& m, std::size_t r, std::size_t c) {
  if (m.size() != r) return false;
  for (const auto& row : m)
    if (row.size() != c) return false;
  return true;
}

}  // namespace zrfuzz
