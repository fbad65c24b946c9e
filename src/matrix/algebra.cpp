// Flat-array algebra of mathMatrix: transpose, product, Gauss-Jordan inverse, trace.
// Indices are formed in std::size_t so large orders never overflow an int.

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "zr/mathMatrix.h"

namespace ZR {
namespace {

std::size_t count(int d) { return d > 0 ? static_cast<std::size_t>(d) : 0u; }

}  // namespace

void mathMatrix::rotateMat(const double* source, double* destination, int rows, int cols) {
  const std::size_t r = count(rows);
  const std::size_t c = count(cols);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) destination[j * r + i] = source[i * c + j];
}

void mathMatrix::matrixMulmats(const double* A, const double* B, double* C, int m, int k, int n) {
  const std::size_t rm = count(m);
  const std::size_t rk = count(k);
  const std::size_t rn = count(n);
  for (std::size_t i = 0; i < rm; ++i) {
    for (std::size_t j = 0; j < rn; ++j) {
      double s = 0.0;
      for (std::size_t l = 0; l < rk; ++l) s = s + A[i * rk + l] * B[l * rn + j];
      C[i * rn + j] = s;
    }
  }
}

void mathMatrix::invMat(double* const a, int n) {
  const std::size_t N = count(n);
  if (N == 0) return;
  // Entry k of each record holds the row / column where the pivot of step k was found. They
  // start at 0, so a step whose trailing block has no entry above 0 exchanges with row and
  // column 0. Orders up to 20 keep the records on the stack.
  constexpr std::size_t kLocal = 20;
  std::size_t localRows[kLocal] = {};
  std::size_t localCols[kLocal] = {};
  std::vector<std::size_t> heapRows;
  std::vector<std::size_t> heapCols;
  std::size_t* rowRec = localRows;
  std::size_t* colRec = localCols;
  if (N > kLocal) {
    heapRows.assign(N, 0u);
    heapCols.assign(N, 0u);
    rowRec = heapRows.data();
    colRec = heapCols.data();
  }
  auto el = [a, N](std::size_t i, std::size_t j) -> double& { return a[i * N + j]; };
  auto swapRows = [&](std::size_t p, std::size_t q) {
    for (std::size_t j = 0; j < N; ++j) std::swap(el(p, j), el(q, j));
  };
  auto swapCols = [&](std::size_t p, std::size_t q) {
    for (std::size_t i = 0; i < N; ++i) std::swap(el(i, p), el(i, q));
  };

  for (std::size_t k = 0; k < N; ++k) {
    double d = 0.0;
    for (std::size_t i = k; i < N; ++i) {
      for (std::size_t j = k; j < N; ++j) {
        const double v = std::fabs(el(i, j));
        if (v > d) {
          d = v;
          rowRec[k] = i;
          colRec[k] = j;
        }
      }
    }
    if (rowRec[k] != k) swapRows(k, rowRec[k]);
    if (colRec[k] != k) swapCols(k, colRec[k]);
    el(k, k) = 1.0 / el(k, k);
    const double pivot = el(k, k);
    for (std::size_t j = 0; j < N; ++j)
      if (j != k) el(k, j) = el(k, j) * pivot;
    for (std::size_t i = 0; i < N; ++i) {
      if (i == k) continue;
      const double f = el(i, k);
      for (std::size_t j = 0; j < N; ++j)
        if (j != k) el(i, j) = el(i, j) - el(k, j) * f;
    }
    for (std::size_t i = 0; i < N; ++i)
      if (i != k) el(i, k) = -(el(i, k) * pivot);
  }
  for (std::size_t k = N; k-- > 0;) {
    if (colRec[k] != k) swapRows(k, colRec[k]);
    if (rowRec[k] != k) swapCols(k, rowRec[k]);
  }
}

double mathMatrix::traceMat(const double* a, int n) {
  const std::size_t N = count(n);
  double s = 0.0;
  for (std::size_t i = 0; i < N; ++i) s = s + a[i * (N + 1)];
  return s;
}

}  // namespace ZR
