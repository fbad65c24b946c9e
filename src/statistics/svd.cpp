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

// Orders up to this keep their work area on the stack.
constexpr std::size_t kSmall = 16;

// A square matrix in one flat row-major block: the solver rotates it in place.
struct Square {
  std::size_t n = 0;
  double* a = nullptr;
  double& operator()(std::size_t i, std::size_t j) { return a[i * n + j]; }
};

// Gram matrices, each entry's products summed in ascending k from 0.0 (x·y + c, as a row-by-column
// product forms them). Entries (i, j) and (j, i) are the same sum, so the lower triangle is mirrored.
// AᵀA: entry (i, j) = Σ_k A[k][i]·A[k][j].
void gramColumns(const Rows& A, Square& g) {
  const std::size_t n = g.n;
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i; j < n; ++j) {
      double c = 0.0;
      for (const auto& row : A) c = row[i] * row[j] + c;
      g(i, j) = c;
      g(j, i) = c;
    }
}

// AAᵀ: entry (i, j) = Σ_k A[i][k]·A[j][k].
void gramRows(const Rows& A, std::size_t n, Square& g) {
  const std::size_t m = g.n;
  for (std::size_t i = 0; i < m; ++i) {
    const double* ri = A[i].data();
    for (std::size_t j = i; j < m; ++j) {
      const double* rj = A[j].data();
      double c = 0.0;
      for (std::size_t k = 0; k < n; ++k) c = ri[k] * rj[k] + c;
      g(i, j) = c;
      g(j, i) = c;
    }
  }
}

// Indices 0 … n − 1 by descending value, equal values in ascending index order (a straight
// insertion sort: stable, and defined for NaN too).
void sortIndexDescend(const double* values, std::size_t n, std::size_t* idx) {
  for (std::size_t i = 0; i < n; ++i) idx[i] = i;
  for (std::size_t i = 1; i < n; ++i) {
    const std::size_t key = idx[i];
    std::size_t j = i;
    while (j > 0 && values[key] > values[idx[j - 1]]) {
      idx[j] = idx[j - 1];
      --j;
    }
    idx[j] = key;
  }
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
    const double* row = M_.a + i * M_.n;
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

// Classical Jacobi with largest-element pivoting on the symmetric M (overwritten, its diagonal
// left holding the eigenvalues). Et (n × n) receives the eigenvector matrix E transposed,
// Et[j·n + i] = E[i][j] (eigenvector j in row j), and idx the eigenvector indices by descending
// eigenvalue.
void jacobiEigen(Square& M, double* Et, std::size_t* idx) {
  const std::size_t n = M.n;
  for (std::size_t i = 0; i < n * n; ++i) Et[i] = 0.0;
  for (std::size_t i = 0; i < n; ++i) Et[i * n + i] = 1.0;
  // With fewer than two rows there is no off-diagonal element and nothing to rotate.
  if (n >= 2) {
    RowMaxima maxima(M);
    for (int passes = 0;;) {
      std::size_t p = 0, q = 1;
      const double best = maxima.pivot(p, q);
      const double y = M(p, q) * 2.0, x = M(p, p) - M(q, q);
      double theta, c, s, c2, s2, small;
      if (zr_frame::atan2Small(y, x, small)) {
        // Late in the iteration most angles are this small (|2 theta| < 2^-27), where the sine
        // rounds to the angle and the cosine to 1.
        theta = 0.5 * small;
        s = theta;
        c = 1.0;
        s2 = small;  // = theta * 2.0
        c2 = 1.0;
      } else {
        theta = 0.5 * zr_frame::atan2(y, x);
        zr_frame::sinCos(theta, s, c);
        zr_frame::sinCos(theta * 2.0, s2, c2);
      }
      const double app = M(p, p), aqq = M(q, q), apq = M(p, q);
      M(p, p) = (c * app) * c + (s * aqq) * s + s2 * apq;
      M(q, q) = (c * aqq) * c + (s * app) * s - s2 * apq;
      M(p, q) = ((aqq - app) * 0.5) * s2 + c2 * apq;
      M(q, p) = M(p, q);
      double* rowP = M.a + p * n;
      double* rowQ = M.a + q * n;
      for (std::size_t k = 0; k < n; ++k) {
        if (k == p || k == q) continue;
        const double mpk = rowP[k], mqk = rowQ[k];
        rowP[k] = mpk * c + mqk * s;
        M.a[k * n + p] = rowP[k];
        rowQ[k] = mqk * c - mpk * s;
        M.a[k * n + q] = rowQ[k];
      }
      // Columns p and q of E are rows p and q of its transpose, so the update runs in pairs.
      double* ep = Et + p * n;
      double* eq = Et + q * n;
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
  double d[kSmall];
  std::vector<double> dHeap;
  double* diag = d;
  if (n > kSmall) {
    dHeap.resize(n);
    diag = dHeap.data();
  }
  for (std::size_t i = 0; i < n; ++i) diag[i] = M(i, i);
  sortIndexDescend(diag, n, idx);
}

// Sets out to rows × cols, reusing the storage it has.
void shape(Rows& out, std::size_t rows, std::size_t cols) {
  out.resize(rows);
  for (auto& row : out) row.resize(cols);
}

}  // namespace

void SVD::compute(Rows A, Rows& U, Rows& S, Rows& V) {
  const std::size_t m = A.size();
  const std::size_t n = m == 0 ? 0 : A[0].size();
  for (const auto& row : A)
    if (row.size() < n) detail::throwOutOfRange();
  // One work area for both decompositions: the Gram matrix, its eigenvectors and their order.
  // k² must not wrap (it can on 32-bit targets, where U alone would not fit).
  const std::size_t k = m > n ? m : n;
  if (k != 0 && k > std::vector<double>().max_size() / 2 / k) detail::throwLengthError();
  double local[2 * kSmall * kSmall];
  std::size_t idxLocal[kSmall];
  std::vector<double> heap;
  std::vector<std::size_t> idxHeap;
  double* work = local;
  std::size_t* idx = idxLocal;
  if (k > kSmall) {
    heap.resize(2 * k * k);
    idxHeap.resize(k);
    work = heap.data();
    idx = idxHeap.data();
  }
  double* Et = work + k * k;

  Square P{n, work};
  gramColumns(A, P);
  jacobiEigen(P, Et, idx);
  // Row i of V is eigenvector idx[i]; S holds the square roots of the eigenvalues in that order.
  shape(V, n, n);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) V[i][j] = Et[idx[i] * n + j];
  shape(S, m, n);
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = 0; j < n; ++j) S[i][j] = 0.0;
  for (std::size_t i = 0; i < m && i < n; ++i) S[i][i] = std::sqrt(P(idx[i], idx[i]));

  Square Q{m, work};
  gramRows(A, n, Q);
  jacobiEigen(Q, Et, idx);
  // Column j of U is eigenvector idx[j].
  shape(U, m, m);
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = 0; j < m; ++j) U[i][j] = Et[idx[j] * m + i];
}

}  // namespace ZR
