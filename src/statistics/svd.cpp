// Singular value decomposition by two classical Jacobi eigen-decompositions.

#include <cmath>
#include <cstddef>
#include <utility>

#include "frame/elementary_functions.h"
#include "frame/failure.h"
#include "frame/pair.h"
#include "zr/SVD.h"

namespace ZR {
namespace {

using Rows = std::vector<std::vector<double>>;

// A square matrix in one flat row-major block: the solver rotates it in place.
struct Square {
  std::size_t n = 0;
  std::vector<double> a;
  double& operator()(std::size_t i, std::size_t j) { return a[i * n + j]; }
};

// Gram matrices, each entry's products summed in ascending k from 0.0 (x·y + c, as a row-by-column
// product forms them). Entries (i, j) and (j, i) are the same sum, so the lower triangle is mirrored.
// AᵀA: entry (i, j) = Σ_k A[k][i]·A[k][j].
Square gramColumns(const Rows& A, std::size_t n) {
  Square g{n, std::vector<double>(n * n, 0.0)};
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i; j < n; ++j) {
      double c = 0.0;
      for (const auto& row : A) c = row[i] * row[j] + c;
      g(i, j) = c;
      g(j, i) = c;
    }
  return g;
}

// AAᵀ: entry (i, j) = Σ_k A[i][k]·A[j][k].
Square gramRows(const Rows& A, std::size_t n) {
  const std::size_t m = A.size();
  Square g{m, std::vector<double>(m * m, 0.0)};
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = i; j < m; ++j) {
      double c = 0.0;
      for (std::size_t k = 0; k < n; ++k) c = A[i][k] * A[j][k] + c;
      g(i, j) = c;
      g(j, i) = c;
    }
  return g;
}

// Indices 0 … n − 1 by descending value, equal values in ascending index order (a straight
// insertion sort: stable, and defined for NaN too).
std::vector<std::size_t> sortIndexDescend(const std::vector<double>& values) {
  std::vector<std::size_t> idx(values.size());
  for (std::size_t i = 0; i < idx.size(); ++i) idx[i] = i;
  for (std::size_t i = 1; i < idx.size(); ++i) {
    const std::size_t key = idx[i];
    std::size_t j = i;
    while (j > 0 && values[key] > values[idx[j - 1]]) {
      idx[j] = idx[j - 1];
      --j;
    }
    idx[j] = key;
  }
  return idx;
}

// The largest |M(i, j)| over the upper part of each row (j > i) and the first column holding it.
// M stays exactly symmetric (every rotation mirrors what it writes), so every element below the
// diagonal equals one above it that comes earlier in row-major order: the first largest element
// of the whole matrix, which the pivot search looks for, is the first largest of the upper
// triangle, and that is the first row whose maximum is the overall one, at that row's column.
// After a rotation on (p, q) only rows p and q and the entries in columns p and q change, so the
// row maxima are kept up to date instead of scanning n² elements on every pass. NaN entries
// never count, as they never win a comparison.
class RowMaxima {
 public:
  explicit RowMaxima(Square& M) : M_(M) {
    // Small orders keep the maxima on the stack.
    if (M.n > kLocal) {
      maxHeap_.resize(M.n);
      argHeap_.resize(M.n);
      max_ = maxHeap_.data();
      arg_ = argHeap_.data();
    }
    for (std::size_t i = 0; i < M.n; ++i) rescan(i);
  }
  RowMaxima(const RowMaxima&) = delete;  // max_ and arg_ may point into the object itself
  RowMaxima& operator=(const RowMaxima&) = delete;

  // The pivot: start from (0, 1), take a row's maximum only when it is strictly greater.
  double pivot(std::size_t& p, std::size_t& q) const {
    double best = std::fabs(M_(0, 1));
    p = 0, q = 1;
    for (std::size_t i = 0; i + 1 < M_.n; ++i)
      if (max_[i] > best) {
        best = max_[i];
        p = i;
        q = arg_[i];
      }
    return best;
  }

  // After the rotation on (p, q), p < q.
  void rotated(std::size_t p, std::size_t q) {
    rescan(p);
    rescan(q);
    for (std::size_t i = 0; i < p; ++i) {
      changed(i, p);
      changed(i, q);
    }
    for (std::size_t i = p + 1; i < q; ++i) changed(i, q);
  }

 private:
  void rescan(std::size_t i) {
    double m = -1.0;
    std::size_t a = M_.n;
    const double* row = &M_.a[i * M_.n];
    for (std::size_t j = i + 1; j < M_.n; ++j) {
      const double v = std::fabs(row[j]);
      if (v > m) m = v, a = j;
    }
    max_[i] = m;
    arg_[i] = a;
  }
  void changed(std::size_t i, std::size_t c) {
    const double v = std::fabs(M_(i, c));
    if (arg_[i] == c) {
      if (v >= max_[i])
        max_[i] = v;  // still the first largest of its row
      else
        rescan(i);
    } else if (v > max_[i] || (v == max_[i] && c < arg_[i])) {
      max_[i] = v;
      arg_[i] = c;
    }
  }

  static constexpr std::size_t kLocal = 32;
  Square& M_;
  double maxLocal_[kLocal];
  std::size_t argLocal_[kLocal];
  std::vector<double> maxHeap_;
  std::vector<std::size_t> argHeap_;
  double* max_ = maxLocal_;
  std::size_t* arg_ = argLocal_;
};

// Classical Jacobi with largest-element pivoting on the symmetric M (overwritten). Returns the
// eigenvector matrix (flat, eigenvector j in column j) and fills eigenvalues, both in descending
// order of eigenvalue.
std::vector<double> jacobiEigen(Square& M, std::vector<double>& eigenvalues) {
  const std::size_t n = M.n;
  std::vector<double> Et(n * n, 0.0);  // the eigenvector matrix E transposed: Et[j·n + i] = E[i][j]
  for (std::size_t i = 0; i < n; ++i) Et[i * n + i] = 1.0;
  // With fewer than two rows there is no off-diagonal element and nothing to rotate.
  if (n >= 2) {
    RowMaxima maxima(M);
    for (int passes = 0;;) {
      std::size_t p = 0, q = 1;
      const double best = maxima.pivot(p, q);
      const double theta = 0.5 * zr_frame::atan2(M(p, q) * 2.0, M(p, p) - M(q, q));
      const double c = zr_frame::cos(theta), s = zr_frame::sin(theta);
      const double c2 = zr_frame::cos(theta * 2.0), s2 = zr_frame::sin(theta * 2.0);
      const double app = M(p, p), aqq = M(q, q), apq = M(p, q);
      M(p, p) = (c * app) * c + (s * aqq) * s + s2 * apq;
      M(q, q) = (c * aqq) * c + (s * app) * s - s2 * apq;
      M(p, q) = ((aqq - app) * 0.5) * s2 + c2 * apq;
      M(q, p) = M(p, q);
      double* rowP = &M.a[p * n];
      double* rowQ = &M.a[q * n];
      for (std::size_t k = 0; k < n; ++k) {
        if (k == p || k == q) continue;
        const double mpk = rowP[k], mqk = rowQ[k];
        rowP[k] = mpk * c + mqk * s;
        M.a[k * n + p] = rowP[k];
        rowQ[k] = mqk * c - mpk * s;
        M.a[k * n + q] = rowQ[k];
      }
      // Columns p and q of E are rows p and q of its transpose, so the update runs in pairs.
      double* ep = &Et[p * n];
      double* eq = &Et[q * n];
      const detail::Pair cp = {c, c}, sp = {s, s};
      std::size_t i = 0;
      for (; i + 2 <= n; i += 2) {
        const detail::Pair vp = detail::loadPair(ep + i), vq = detail::loadPair(eq + i);
        detail::storePair(ep + i, vp * cp + vq * sp);
        detail::storePair(eq + i, vq * cp - vp * sp);
      }
      for (; i < n; ++i) {
        const double vp = ep[i], vq = eq[i];
        ep[i] = vp * c + vq * s;
        eq[i] = vq * c - vp * s;
      }
      ++passes;
      if (passes >= 10000 || best < 1e-40) break;
      maxima.rotated(p, q);
    }
  }
  std::vector<double> d(n);
  for (std::size_t i = 0; i < n; ++i) d[i] = M(i, i);
  const std::vector<std::size_t> idx = sortIndexDescend(d);
  eigenvalues.resize(n);
  std::vector<double> sorted(n * n);
  for (std::size_t j = 0; j < n; ++j) {
    eigenvalues[j] = d[idx[j]];
    for (std::size_t i = 0; i < n; ++i) sorted[i * n + j] = Et[idx[j] * n + i];
  }
  return sorted;
}

}  // namespace

void SVD::compute(Rows A, Rows& U, Rows& S, Rows& V) {
  const std::size_t m = A.size();
  const std::size_t n = m == 0 ? 0 : A[0].size();
  for (const auto& row : A)
    if (row.size() < n) detail::throwOutOfRange();

  std::vector<double> lambda;
  Square P = gramColumns(A, n);
  const std::vector<double> E = jacobiEigen(P, lambda);
  Rows newV(n, std::vector<double>(n));
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) newV[i][j] = E[j * n + i];

  Rows newS(m, std::vector<double>(n, 0.0));
  for (std::size_t k = 0; k < m && k < n; ++k) newS[k][k] = std::sqrt(lambda[k]);

  lambda.clear();
  Square Q = gramRows(A, n);
  const std::vector<double> F = jacobiEigen(Q, lambda);
  Rows newU(m, std::vector<double>(m));
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = 0; j < m; ++j) newU[i][j] = F[i * m + j];

  V = std::move(newV);
  S = std::move(newS);
  U = std::move(newU);
}

}  // namespace ZR
