// Determinant of mathMatrix by cofactor expansion along the first row.
//
// The minor at depth d consists of rows d … rows − 1 of the array and of the columns not yet
// struck out, in their order; its row count follows from how many columns remain. So the
// expansion of a minor depends only on the set of columns left, and each set is expanded once:
// a table indexed by the bit mask of the remaining columns is filled by column count
// (every mask's sub-masks come first), each entry summed over its columns from the lowest up
// with the signs, products and additions of the plain expansion on copied minors. That is
// n·2^(n−1) terms instead of n! and the same bits. Shapes too wide for a table fall back to
// walking the expansion itself, with the remaining columns in a doubly linked list.
#include <cstddef>
#include <cstdint>
#include <memory>
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

// The table of expanded minors for cols ≤ kMaxTableCols columns, one double per column mask.
// Orders up to kStackOrder keep it on the stack; larger ones make exactly one allocation.
constexpr std::size_t kStackOrder = 11;
constexpr std::size_t kMaxTableCols = 26;

std::uint32_t lowestBit(std::uint32_t m) { return static_cast<std::uint32_t>(__builtin_ctz(m)); }

// Table entry of one column mask with k columns: the minor's first row is cols − k.
inline double minorOf(const double* a, std::size_t rows, std::size_t cols, std::size_t base, std::uint32_t mask,
                      std::size_t k, const double* table) {
  const std::size_t d = cols - k;
  const double* row = a + d * cols;
  double s = 0.0;
  if (k == base) {
    // One row: its first entry (a row without entries contributes 0.0). A minor that ran out of
    // columns above the last row is an empty sum, 0.0 as well.
    if (d + 1 == rows && mask != 0u) s = row[lowestBit(mask)];
    return s;
  }
  // Terms in column order with signs +, −, +, …: adding (−row[c])·m is subtracting row[c]·m,
  // the same rounding, so the sign needs no multiplication.
  std::uint32_t rest = mask;
  for (;;) {
    const std::uint32_t c0 = lowestBit(rest);
    rest &= rest - 1u;
    s = s + row[c0] * table[mask ^ (std::uint32_t{1} << c0)];
    if (rest == 0u) return s;
    const std::uint32_t c1 = lowestBit(rest);
    rest &= rest - 1u;
    s = s - row[c1] * table[mask ^ (std::uint32_t{1} << c1)];
    if (rest == 0u) return s;
  }
}

// Up to kListCols columns the fill order and every mask's terms come from lists made at compile
// time: the masks by column count, ascending within a count, and for each mask its (column,
// sub-mask) pairs from the lowest column up. The masks of fewer columns are, in every count, the
// leading ones (they are the smaller numbers), so one list serves every width up to kListCols.
constexpr std::size_t kListCols = 10;
struct MinorLists {
  std::uint16_t mask[std::size_t{1} << kListCols] = {};
  std::uint16_t levelStart[kListCols + 2] = {};  // position in mask[] of the first mask of each count
  std::uint16_t termStart[kListCols + 2] = {};   // position of its first term; each mask of count k has k
  std::uint8_t column[kListCols << (kListCols - 1)] = {};
  std::uint16_t sub[kListCols << (kListCols - 1)] = {};
};

constexpr MinorLists makeMinorLists() {
  MinorLists l{};
  std::size_t position = 0, term = 0;
  for (std::size_t k = 0; k <= kListCols; ++k) {
    l.levelStart[k] = static_cast<std::uint16_t>(position);
    l.termStart[k] = static_cast<std::uint16_t>(term);
    for (unsigned m = 0; m < (1u << kListCols); ++m) {
      std::size_t count = 0;
      for (unsigned c = 0; c < kListCols; ++c) count += (m >> c) & 1u;
      if (count != k) continue;
      l.mask[position++] = static_cast<std::uint16_t>(m);
      for (unsigned c = 0; c < kListCols; ++c) {
        if (((m >> c) & 1u) == 0) continue;
        l.column[term] = static_cast<std::uint8_t>(c);
        l.sub[term] = static_cast<std::uint16_t>(m ^ (1u << c));
        ++term;
      }
    }
  }
  l.levelStart[kListCols + 1] = static_cast<std::uint16_t>(position);
  l.termStart[kListCols + 1] = static_cast<std::uint16_t>(term);
  return l;
}
constexpr MinorLists kMinorLists = makeMinorLists();

// The masks of K columns below `limit` (2^cols), each the sum of its K terms as in minorOf.
template <std::size_t K>
void fillCount(const double* row, std::uint32_t limit, double* table) {
  const MinorLists& l = kMinorLists;
  const std::uint8_t* column = l.column + l.termStart[K];
  const std::uint16_t* sub = l.sub + l.termStart[K];
  for (std::size_t i = l.levelStart[K]; i < l.levelStart[K + 1]; ++i) {
    const std::uint32_t mask = l.mask[i];
    if (mask >= limit) return;
    double s = 0.0;
    for (std::size_t j = 0; j < K; ++j) {
      const double t = row[column[j]] * table[sub[j]];
      s = (j % 2 == 0) ? s + t : s - t;
    }
    table[mask] = s;
    column += K;
    sub += K;
  }
}

double expandByLists(const double* a, std::size_t rows, std::size_t cols, std::size_t base, double* table) {
  const std::uint32_t limit = std::uint32_t{1} << cols;
  const MinorLists& l = kMinorLists;
  if (base == 0) table[0] = 0.0;
  if (base > 0) {
    // One row: its first entry (0.0 unless it is the last row; a minor that ran out of columns
    // above the last row is an empty sum).
    const double* row = a + (cols - base) * cols;
    const bool last = cols - base + 1 == rows;
    for (std::size_t i = l.levelStart[base]; i < l.levelStart[base + 1] && l.mask[i] < limit; ++i)
      table[l.mask[i]] = last ? row[lowestBit(l.mask[i])] : 0.0;
  }
  for (std::size_t k = base + 1; k <= cols; ++k) {
    const double* row = a + (cols - k) * cols;
    switch (k) {
      case 1: fillCount<1>(row, limit, table); break;
      case 2: fillCount<2>(row, limit, table); break;
      case 3: fillCount<3>(row, limit, table); break;
      case 4: fillCount<4>(row, limit, table); break;
      case 5: fillCount<5>(row, limit, table); break;
      case 6: fillCount<6>(row, limit, table); break;
      case 7: fillCount<7>(row, limit, table); break;
      case 8: fillCount<8>(row, limit, table); break;
      case 9: fillCount<9>(row, limit, table); break;
      default: fillCount<10>(row, limit, table); break;
    }
  }
  return table[limit - 1];
}

double expandByTable(const double* a, std::size_t rows, std::size_t cols, double* table) {
  // Masks with fewer than `base` columns are never reached: the expansion stops at the last row
  // (base = cols − rows + 1) or, for rows ≥ cols + 2, when no column is left (base = 0).
  const std::size_t base = cols + 1 > rows ? cols + 1 - rows : 0;
  if (cols >= 1 && cols <= kListCols) return expandByLists(a, rows, cols, base, table);
  const std::uint32_t full = static_cast<std::uint32_t>((std::uint64_t{1} << cols) - 1u);
  if (base == 0) table[0] = 0.0;
  // Masks are filled by column count, so every mask's sub-masks come first and the inner loop
  // runs the same number of times for a whole pass (no mispredicted loop exits).
  for (std::size_t k = base > 0 ? base : 1; k <= cols; ++k) {
    // The masks with k bits set, in ascending order (each next one from the carry of its lowest run).
    std::uint32_t mask = static_cast<std::uint32_t>((std::uint64_t{1} << k) - 1u);
    for (;;) {
      table[mask] = minorOf(a, rows, cols, base, mask, k, table);
      if (mask == (full ^ ((std::uint32_t{1} << (cols - k)) - 1u))) break;  // the highest k columns
      const std::uint32_t low = mask & (0u - mask);
      const std::uint32_t carried = mask + low;
      mask = carried | (((carried ^ mask) >> 2) >> lowestBit(mask));
    }
  }
  return table[full];
}

// Leaves of the walked expansion, cols·(cols − 1)·…·(cols − rows + 2), against the cols·2^(cols−1)
// terms of the table: a leaf costs about twice a table term (the list walk), so the table is used
// unless the expansion is less than half its size (orders up to 3).
bool tableIsCheaper(std::size_t rows, std::size_t cols) {
  if (cols > kMaxTableCols) return false;
  double leaves = 1.0;
  for (std::size_t i = 0; i + 1 < rows && i < cols; ++i) leaves *= static_cast<double>(cols - i);
  return leaves * 4.0 > static_cast<double>(cols) * static_cast<double>(std::uint64_t{1} << cols);
}

}  // namespace

double mathMatrix::detMatrix(const double* a, int rows, int cols) {
  if (rows < 1) return 1.0;  // the determinant of the empty matrix
  const std::size_t r = static_cast<std::size_t>(rows);
  const std::size_t c = cols > 0 ? static_cast<std::size_t>(cols) : 0u;
  if (tableIsCheaper(r, c)) {
    if (c <= kStackOrder) {
      double local[std::size_t{1} << kStackOrder];
      return expandByTable(a, r, c, local);
    }
    const std::unique_ptr<double[]> heap(new double[std::size_t{1} << c]);
    return expandByTable(a, r, c, heap.get());
  }
  // With rows ≥ cols + 2 the expansion never reaches deeper than cols + 1 rows.
  Expansion e(a, r, c);
  return e.expand(0);
}

}  // namespace ZR
