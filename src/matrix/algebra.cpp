// Flat-array algebra of mathMatrix: transpose, product, Gauss-Jordan inverse, trace.
// Indices are formed in std::size_t so large orders never overflow an int.

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "frame/pair.h"
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

namespace {

using detail::loadPair;
using detail::Pair;
using detail::storePair;

// The largest |x[j]| for j < n, NaN entries ignored; 0.0 when none is above 0.
double largestMagnitude(const double* x, std::size_t n) {
  double m = 0.0;
  std::size_t j = 0;
#if defined(__GNUC__)
  typedef long long Bits __attribute__((vector_size(16)));
  const Bits magnitude = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  Pair mp = {0.0, 0.0};
  for (; j + 2 <= n; j += 2) {
    const Pair v = (Pair)((Bits)loadPair(x + j) & magnitude);
    const Bits greater = (Bits)(v > mp);
    mp = (Pair)(((Bits)v & greater) | ((Bits)mp & ~greater));
  }
  m = mp[0] > mp[1] ? mp[0] : mp[1];
#endif
  for (; j < n; ++j) {
    const double v = std::fabs(x[j]);
    if (v > m) m = v;
  }
  return m;
}

// y[j] := y[j] − x[j]·f for j < n, each entry on its own.
void subtractScaled(double* y, const double* x, double f, std::size_t n) {
  const Pair fp = {f, f};
  std::size_t j = 0;
  for (; j + 4 <= n; j += 4) {
    const Pair y0 = loadPair(y + j) - loadPair(x + j) * fp;
    const Pair y1 = loadPair(y + j + 2) - loadPair(x + j + 2) * fp;
    storePair(y + j, y0);
    storePair(y + j + 2, y1);
  }
  for (; j < n; ++j) y[j] = y[j] - x[j] * f;
}

}  // namespace

// Row i of C is built by broadcasting A[i][l] and adding A[i][l]·B[l][j] into every C[i][j],
// l ascending: each entry is still 0.0 + the products in ascending l, as in the plain triple loop,
// but the j lanes are independent, so they vectorise without any reassociation. Blocks of two
// rows and eight columns keep their sums in registers across the whole l loop.
void mathMatrix::matrixMulmats(const double* A, const double* B, double* C, int m, int k, int n) {
  const std::size_t rm = count(m);
  const std::size_t rk = count(k);
  const std::size_t rn = count(n);
  std::size_t i = 0;
  for (; i + 2 <= rm; i += 2) {
    const double* a0 = A + i * rk;
    const double* a1 = a0 + rk;
    double* c0 = C + i * rn;
    double* c1 = c0 + rn;
    std::size_t j = 0;
    for (; j + 8 <= rn; j += 8) {
      Pair s00 = {0.0, 0.0}, s01 = s00, s02 = s00, s03 = s00, s10 = s00, s11 = s00, s12 = s00, s13 = s00;
      for (std::size_t l = 0; l < rk; ++l) {
        const double* b = B + l * rn + j;
        const Pair x0 = {a0[l], a0[l]}, x1 = {a1[l], a1[l]};
        const Pair b0 = loadPair(b), b1 = loadPair(b + 2), b2 = loadPair(b + 4), b3 = loadPair(b + 6);
        s00 = s00 + x0 * b0;
        s01 = s01 + x0 * b1;
        s02 = s02 + x0 * b2;
        s03 = s03 + x0 * b3;
        s10 = s10 + x1 * b0;
        s11 = s11 + x1 * b1;
        s12 = s12 + x1 * b2;
        s13 = s13 + x1 * b3;
      }
      storePair(c0 + j, s00), storePair(c0 + j + 2, s01), storePair(c0 + j + 4, s02), storePair(c0 + j + 6, s03);
      storePair(c1 + j, s10), storePair(c1 + j + 2, s11), storePair(c1 + j + 4, s12), storePair(c1 + j + 6, s13);
    }
    for (; j + 2 <= rn; j += 2) {
      Pair s0 = {0.0, 0.0}, s1 = s0;
      for (std::size_t l = 0; l < rk; ++l) {
        const Pair x0 = {a0[l], a0[l]}, x1 = {a1[l], a1[l]};
        const Pair b = loadPair(B + l * rn + j);
        s0 = s0 + x0 * b;
        s1 = s1 + x1 * b;
      }
      storePair(c0 + j, s0), storePair(c1 + j, s1);
    }
    for (; j < rn; ++j) {
      double s0 = 0.0, s1 = 0.0;
      for (std::size_t l = 0; l < rk; ++l) {
        s0 = s0 + a0[l] * B[l * rn + j];
        s1 = s1 + a1[l] * B[l * rn + j];
      }
      c0[j] = s0;
      c1[j] = s1;
    }
  }
  for (; i < rm; ++i) {
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
    // The first entry of largest magnitude in row-major order: a row can only move the choice if
    // its largest magnitude beats the best so far, and then its first entry of that magnitude wins.
    double d = 0.0;
    for (std::size_t i = k; i < N; ++i) {
      const double* row = a + i * N;
      const double best = largestMagnitude(row + k, N - k);
      if (best > d) {
        d = best;
        rowRec[k] = i;
        std::size_t j = k;
        while (!(std::fabs(row[j]) == best)) ++j;
        colRec[k] = j;
      }
    }
    if (rowRec[k] != k) swapRows(k, rowRec[k]);
    if (colRec[k] != k) swapCols(k, colRec[k]);
    el(k, k) = 1.0 / el(k, k);
    const double pivot = el(k, k);
    for (std::size_t j = 0; j < N; ++j)
      if (j != k) el(k, j) = el(k, j) * pivot;
    // Every row i ≠ k: the whole row is updated at once, column k included, and column k is then
    // given its own value from the a[i][k] read before the update.
    const double* rowK = a + k * N;
    for (std::size_t i = 0; i < N; ++i) {
      if (i == k) continue;
      double* rowI = a + i * N;
      const double f = rowI[k];
      subtractScaled(rowI, rowK, f, N);
      rowI[k] = -(f * pivot);
    }
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
