// Standard matrices of mathMatrix, appended row by row to the caller's container.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "frame/power.h"
#include "zr/mathMatrix.h"

namespace ZR {
namespace {

std::size_t count(int d) { return d > 0 ? static_cast<std::size_t>(d) : 0u; }

void constantRows(int rows, int cols, int value, std::vector<std::vector<int>>& out) {
  if (!out.empty()) return;
  const std::size_t r = count(rows);
  for (std::size_t i = 0; i < r; ++i) out.push_back(std::vector<int>(count(cols), value));
}

}  // namespace

void mathMatrix::ones(int rows, int cols, std::vector<std::vector<int>>& out) {
  constantRows(rows, cols, 1, out);
}

void mathMatrix::zeros(int rows, int cols, std::vector<std::vector<int>>& out) {
  constantRows(rows, cols, 0, out);
}

void mathMatrix::hilb(int n, std::vector<std::vector<double>>& out) {
  if (!out.empty()) return;
  const std::size_t N = count(n);
  for (std::size_t i = 0; i < N; ++i) {
    std::vector<double> row(N);
    // The denominator i + j + 1 is an exact integer, converted once before the division.
    for (std::size_t j = 0; j < N; ++j)
      row[j] = 1.0 / static_cast<double>(static_cast<std::int64_t>(i + j + 1));
    out.push_back(std::move(row));
  }
}

void mathMatrix::pascal2(int n, std::vector<std::vector<int>>& out) {
  const std::size_t N = count(n);
  if (N == 0) return;
  const std::size_t base = out.size();  // rows already present stay in front, untouched
  out.push_back(std::vector<int>(N, 1));
  for (std::size_t i = 1; i < N; ++i) {
    std::vector<int> row(N);
    row[0] = 1;
    const std::vector<int>& above = out[base + i - 1];
    // Sums in unsigned 32-bit arithmetic: entries past the int range wrap modulo 2^32 and are
    // read back as two's complement.
    for (std::size_t j = 1; j < N; ++j)
      row[j] = static_cast<std::int32_t>(static_cast<std::uint32_t>(above[j]) +
                                         static_cast<std::uint32_t>(row[j - 1]));
    out.push_back(std::move(row));
  }
}

void mathMatrix::vander(std::vector<double> x, std::vector<std::vector<double>>& out) {
  const std::size_t m = x.size();
  for (std::size_t i = 0; i < m; ++i) {
    std::vector<double> row(m);
    for (std::size_t j = 0; j < m; ++j) row[j] = detail::intPow(x[i], static_cast<std::int32_t>(m - 1 - j));
    out.push_back(std::move(row));
  }
}

void mathMatrix::toeplitz(std::vector<double> c, std::vector<std::vector<double>>& out) {
  const std::size_t m = c.size();
  for (std::size_t i = 0; i < m; ++i) {
    std::vector<double> row(m);
    for (std::size_t j = 0; j < m; ++j) row[j] = c[i >= j ? i - j : j - i];
    out.push_back(std::move(row));
  }
}

}  // namespace ZR
