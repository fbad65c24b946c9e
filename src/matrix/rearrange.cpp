// Mirrors, triangular parts and the quarter turn of mathMatrix. Entries are copied bit for bit;
// every shape is checked before the first write, so a failure leaves out as it was.

#include <cstddef>
#include <utility>
#include <vector>

#include "frame/failure.h"
#include "zr/mathMatrix.h"

namespace ZR {
namespace {

// Every row of m holds at least cols entries.
template <class T>
void requireRows(const std::vector<std::vector<T>>& m, std::size_t cols) {
  for (const std::vector<T>& row : m)
    if (row.size() < cols) detail::throwOutOfRange();
}

// out holds at least rows rows of at least cols entries each.
void requireBlock(const std::vector<std::vector<float>>& out, std::size_t rows, std::size_t cols) {
  if (out.size() < rows) detail::throwOutOfRange();
  for (std::size_t i = 0; i < rows; ++i)
    if (out[i].size() < cols) detail::throwOutOfRange();
}

// Writes in[i][j] where keep(i, j) holds and +0.0f elsewhere over in's r × c block.
template <class Keep>
void triangle(const std::vector<std::vector<float>>& in, std::vector<std::vector<float>>& out, Keep keep) {
  if (in.empty()) return;
  const std::size_t r = in.size();
  const std::size_t c = in[0].size();
  requireRows(in, c);
  requireBlock(out, r, c);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) out[i][j] = keep(i, j) ? in[i][j] : 0.0f;
}

}  // namespace

void mathMatrix::fiplr(const std::vector<std::vector<double>>& in, std::vector<std::vector<double>>& out) {
  if (!out.empty() || in.empty()) return;
  const std::size_t c = in[0].size();
  requireRows(in, c);
  for (const std::vector<double>& src : in) {
    std::vector<double> row;
    row.reserve(c);
    for (std::size_t j = c; j-- > 0;) row.push_back(src[j]);
    out.push_back(std::move(row));
  }
}

void mathMatrix::fipud(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out) {
  if (in.empty()) return;
  const std::size_t r = in.size();
  const std::size_t c = in[0].size();
  requireRows(in, c);
  requireBlock(out, r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) out[i][j] = in[r - 1 - i][j];
}

void mathMatrix::tril(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out) {
  triangle(in, out, [](std::size_t i, std::size_t j) { return j <= i; });
}

void mathMatrix::triu(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out) {
  triangle(in, out, [](std::size_t i, std::size_t j) { return j >= i; });
}

void mathMatrix::rot90(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out) {
  if (in.empty()) return;
  const std::size_t r = in.size();
  const std::size_t c = in[0].size();
  requireRows(in, c);
  requireBlock(out, c, r);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) out[j][r - 1 - i] = in[i][j];
}

}  // namespace ZR
