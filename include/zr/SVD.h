#pragma once

/// \class ZR::SVD
/// SVD: singular value decomposition A = U·S·V of a dense m × n matrix (a vector of rows) through
/// two classical Jacobi eigen-decompositions, of AᵀA (giving S and V) and of AAᵀ (giving U).

#include <vector>

#include "zr/export.h"

namespace ZR {

class ZR_API SVD {
 public:
  /// A: m rows; n = length of row 0 (longer rows are read only up to n). Replaces, whole:
  /// - V by n × n, row i the unit eigenvector of AᵀA for its i-th largest eigenvalue λᵢ (so V holds
  ///   what is usually written Vᵀ);
  /// - S by m rows of n values, S[k][k] = sqrt(λₖ) for k < min(m, n), all else 0.0 (a tiny negative
  ///   λ of a rank-deficient A gives NaN there);
  /// - U by m × m, column i the unit eigenvector of AAᵀ for its i-th largest eigenvalue.
  /// The signs of U's columns and V's rows are not aligned: A = U·S·V after negating the columns of
  /// U that disagree with their row of V. Each eigen-decomposition pivots on the first largest
  /// off-diagonal element, stops once it was below 1e-40 or after 10000 rotations, and orders
  /// equal eigenvalues by index. A 1 × 1 Gram matrix needs no rotation; an empty A gives empty
  /// U, S and V. A row shorter than row 0 raises std::out_of_range ("invalid vector<T>
  /// subscript") with U, S and V untouched; so does std::length_error ("vector<T> too long") when
  /// 2·max(m, n)² doubles of work space are more than a vector can hold (on 32-bit targets from
  /// about 11600 rows or columns on, where U alone would not fit in memory).
  void compute(std::vector<std::vector<double>> A, std::vector<std::vector<double>>& U,
               std::vector<std::vector<double>>& S, std::vector<std::vector<double>>& V);
};

}  // namespace ZR
