#pragma once

// The library's only two failures, raised with the same messages on every platform (the
// standard library's own wording differs between implementations, so zr never relies on it).

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace ZR::detail {

/// A size beyond what a container can hold was asked for.
[[noreturn]] inline void throwLengthError() { throw std::length_error("vector<T> too long"); }

/// A position past the end of a container was read or written.
[[noreturn]] inline void throwOutOfRange() { throw std::out_of_range("invalid vector<T> subscript"); }

/// Bounds-tested element access that raises the library's out-of-range failure.
template <class T>
const T& at(const std::vector<T>& v, std::size_t i) {
  if (i >= v.size()) throwOutOfRange();
  return v[i];
}

template <class T>
T& at(std::vector<T>& v, std::size_t i) {
  if (i >= v.size()) throwOutOfRange();
  return v[i];
}

}  // namespace ZR::detail
