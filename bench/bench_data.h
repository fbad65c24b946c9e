#pragma once

// Inputs shared by the benchmarks: the same deterministic data for zr and for its baseline.

#include <cstdint>
#include <random>
#include <vector>

namespace zrbench {

inline std::vector<double> reals(std::size_t n, std::uint32_t seed = 1) {
  std::mt19937 g(seed);
  std::uniform_real_distribution<double> d(-1.0, 1.0);
  std::vector<double> v(n);
  for (double& e : v) e = d(g);
  return v;
}

/// A well-conditioned n × n matrix (diagonally dominant), row-major.
inline std::vector<double> dominant(std::size_t n, std::uint32_t seed = 2) {
  std::vector<double> a = reals(n * n, seed);
  for (std::size_t i = 0; i < n; ++i) a[i * n + i] += static_cast<double>(n);
  return a;
}

inline std::vector<std::vector<int>> image(std::size_t rows, std::size_t cols, std::uint32_t seed = 3) {
  std::mt19937 g(seed);
  std::vector<std::vector<int>> img(rows, std::vector<int>(cols));
  for (std::size_t i = 0; i < rows; ++i)
    for (std::size_t j = 0; j < cols; ++j)
      img[i][j] = static_cast<int>((i * 7 + j * 3) % 200) + static_cast<int>(g() % 56);
  return img;
}

inline std::vector<std::vector<int>> points(std::size_t n, std::uint32_t seed = 4) {
  std::mt19937 g(seed);
  std::vector<std::vector<int>> p(n);
  for (auto& row : p) row = {static_cast<int>(g() % 20001) - 10000, static_cast<int>(g() % 20001) - 10000};
  return p;
}

}  // namespace zrbench
