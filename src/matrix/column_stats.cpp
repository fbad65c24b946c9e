// Column statistics of mathMatrix: rows are observations, columns variables. Every sum starts
// from 0.0 and runs from row 0 (or entry 0) upwards.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "frame/failure.h"
#include "zr/mathMatrix.h"

namespace ZR {
namespace {

using Matrix = std::vector<std::vector<double>>;

// Every row of m holds at least row 0's number of entries; returns that number.
std::size_t columnCount(const Matrix& m) {
  const std::size_t p = m[0].size();
  for (const std::vector<double>& row : m)
    if (row.size() < p) detail::throwOutOfRange();
  return p;
}

// Column means, each the sum over the rows divided by their number. m has a row.
std::vector<double> columnMeans(const Matrix& m, std::size_t p) {
  const double n = static_cast<double>(m.size());
  std::vector<double> mu(p);
  for (std::size_t j = 0; j < p; ++j) {
    double s = 0.0;
    for (const std::vector<double>& row : m) s = s + row[j];
    mu[j] = s / n;
  }
  return mu;
}

// n − 1 for n rows as a double; the count is an exact integer.
double besselCount(std::size_t n) { return static_cast<double>(static_cast<std::int64_t>(n) - 1); }

// The sum and the number of the entries of m, row by row (rows of any length).
std::pair<double, std::size_t> entrySum(const Matrix& m) {
  double s = 0.0;
  std::size_t count = 0;
  for (const std::vector<double>& row : m) {
    for (const double v : row) s = s + v;
    count += row.size();
  }
  return {s, count};
}

// Walks the entries of a vector of rows in row-major order without copying them.
class EntryCursor {
 public:
  explicit EntryCursor(const Matrix& m) : m_(m) { skipEmpty(); }
  double next() {
    const double v = m_[row_][col_];
    if (++col_ == m_[row_].size()) {
      ++row_;
      col_ = 0;
      skipEmpty();
    }
    return v;
  }

 private:
  void skipEmpty() {
    while (row_ < m_.size() && m_[row_].empty()) ++row_;
  }
  const Matrix& m_;
  std::size_t row_ = 0;
  std::size_t col_ = 0;
};

}  // namespace

double mathMatrix::prod(const Matrix& m) {
  if (m.empty()) return 0.0;
  double q = 1.0;
  for (const std::vector<double>& row : m)
    for (const double v : row) q = q * v;
  return q;
}

double mathMatrix::corr2(Matrix A, Matrix B) {
  const auto [sumA, entriesA] = entrySum(A);
  const auto [sumB, entriesB] = entrySum(B);
  // The entry count is rows · (length of row 0), an exact integer.
  const double countA = static_cast<double>(static_cast<std::uint64_t>(A.size()) *
                                            static_cast<std::uint64_t>(detail::at(A, 0).size()));
  const double countB = static_cast<double>(static_cast<std::uint64_t>(B.size()) *
                                            static_cast<std::uint64_t>(detail::at(B, 0).size()));
  if (entriesA != entriesB) detail::throwOutOfRange();
  const double meanA = sumA / countA;
  const double meanB = sumB / countB;
  double num = 0.0;
  double sa2 = 0.0;
  double sb2 = 0.0;
  // The entries are paired in row-major order, read in place.
  EntryCursor a(A);
  EntryCursor b(B);
  for (std::size_t k = 0; k < entriesA; ++k) {
    const double da = a.next() - meanA;
    const double db = b.next() - meanB;
    num = num + da * db;
    sa2 = sa2 + da * da;  // the square by binary exponentiation is exactly da·da
    sb2 = sb2 + db * db;
  }
  return num / std::sqrt(sb2 * sa2);
}

Matrix mathMatrix::cov(Matrix X) {
  if (X.empty()) return {};
  const std::size_t n = X.size();
  const std::size_t p = columnCount(X);
  const std::vector<double> mu = columnMeans(X, p);
  for (std::vector<double>& row : X)  // X is this call's own copy: centre it in place
    for (std::size_t j = 0; j < p; ++j) row[j] = row[j] - mu[j];
  const double divisor = besselCount(n);
  Matrix R(p, std::vector<double>(p, 0.0));
  for (std::size_t a = 0; a < p; ++a) {
    for (std::size_t b = 0; b < p; ++b) {
      double s = 0.0;
      for (std::size_t i = 0; i < n; ++i) s = s + X[i][a] * X[i][b];
      R[a][b] = s / divisor;
    }
  }
  return R;
}

void mathMatrix::dataCenter(Matrix X, Matrix& out) {
  if (X.empty()) return;
  const std::size_t p = columnCount(X);
  const std::vector<double> mu = columnMeans(X, p);
  for (const std::vector<double>& src : X) {
    std::vector<double> row(p);
    for (std::size_t j = 0; j < p; ++j) row[j] = src[j] - mu[j];
    out.push_back(std::move(row));
  }
}

void mathMatrix::zscore(Matrix X, Matrix& out) {
  if (X.empty()) return;
  const std::size_t n = X.size();
  const std::size_t p = columnCount(X);
  const std::vector<double> mu = columnMeans(X, p);
  // σ_j = sqrt(Σ_i (x[i][j] − μ_j)² / (n − 1)); 0.0 marks a column without spread (or a single
  // row), whose entries all standardise to 0.0.
  const double divisor = besselCount(n);
  std::vector<double> sigma(p, 0.0);
  if (n > 1) {
    for (std::size_t j = 0; j < p; ++j) {
      double s = 0.0;
      for (const std::vector<double>& row : X) {
        const double d = row[j] - mu[j];
        s = s + d * d;
      }
      sigma[j] = std::sqrt(s / divisor);
    }
  }
  for (const std::vector<double>& src : X) {
    std::vector<double> row(p);
    for (std::size_t j = 0; j < p; ++j) row[j] = sigma[j] == 0.0 ? 0.0 : (src[j] - mu[j]) / sigma[j];
    out.push_back(std::move(row));
  }
}

}  // namespace ZR
