// Determinant of mathMatrix by cofactor expansion along the first row.
//
// The minor at depth d consists of rows d … rows − 1 of the array and of the columns not yet
// struck out, in their order. Instead of copying each minor, the remaining columns form a doubly
// linked list over one index array: a column is unlinked before recursing into its minor and
// relinked afterwards. The terms, signs and order of additions are those of the plain
// expansion on copied minors, so the bits are the same; there is no allocation per minor.

#include <cstddef>
#include <vector>

#include "zr/mathMatrix.h"

namespace ZR {
namespace {

class Expansion {
 public:
  Expansion(const double* a, std::size_t rows, std::size_t cols) : a_(a), rows_(rows), cols_(cols) {
    // The links of small matrices live on the stack: no allocation for the usual orders.
    if (cols + 1 > kLocal) {
      heap_.resize(2 * (cols + 1));
      next_ = heap_.data();
      prev_ = next_ + cols + 1;
    }
    // Node cols_ is the list head; columns 0 … cols_ − 1 follow in order.
    for (std::size_t c = 0; c <= cols_; ++c) {
      next_[c] = c == cols_ ? 0 : c + 1;
      prev_[c] = c == 0 ? cols_ : c - 1;
    }
    if (cols_ == 0) next_[cols_] = prev_[cols_] = cols_;
  }

  Expansion(const Expansion&) = delete;  // next_ and prev_ may point into the object itself
  Expansion& operator=(const Expansion&) = delete;

  // E of the minor made of rows d … rows − 1 and the linked columns.
  double expand(std::size_t d) {
    const std::size_t head = next_[cols_];
    const double* row = a_ + d * cols_;
    // One row: its first entry; a row without entries contributes 0.0.
    if (d + 1 == rows_) return head == cols_ ? 0.0 : row[head];
    double s = 0.0;
    double sign = 1.0;  // (−1.0)^j, exact
    if (d + 2 == rows_) {
      // Two rows: each minor is one row whose first entry is the first linked column other
      // than the struck one.
      const double* below = row + cols_;
      for (std::size_t c = head; c != cols_; c = next_[c]) {
        const std::size_t first = c == head ? next_[head] : head;
        const double m = first == cols_ ? 0.0 : below[first];
        const double t = (sign * row[c]) * m;
        s = s + t;
        sign = -sign;
      }
      return s;
    }
    for (std::size_t c = head; c != cols_; c = next_[c]) {
      next_[prev_[c]] = next_[c];
      prev_[next_[c]] = prev_[c];
      const double m = expand(d + 1);
      next_[prev_[c]] = c;
      prev_[next_[c]] = c;
      const double t = (sign * row[c]) * m;
      s = s + t;
      sign = -sign;
    }
    return s;
  }

 private:
  const double* a_;
  std::size_t rows_;
  std::size_t cols_;
  static constexpr std::size_t kLocal = 33;
  std::size_t local_[2 * kLocal];
  std::vector<std::size_t> heap_;
  std::size_t* next_ = local_;
  std::size_t* prev_ = local_ + kLocal;
};

}  // namespace

double mathMatrix::detMatrix(const double* a, int rows, int cols) {
  if (rows < 1) return 1.0;  // the determinant of the empty matrix
  const std::size_t c = cols > 0 ? static_cast<std::size_t>(cols) : 0u;
  // With rows ≥ cols + 2 the expansion never reaches deeper than cols + 1 rows.
  Expansion e(a, static_cast<std::size_t>(rows), c);
  return e.expand(0);
}

}  // namespace ZR
