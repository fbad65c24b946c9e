#pragma once

/// \class ZR::convolutionMath
/// convolutionMath: full discrete convolution of sequences and of matrices (vectors of rows).
/// The result container is resized, keeping what it holds: existing entries keep their values,
/// new ones start at 0.0, entries beyond the new size are dropped. On a failure it is untouched.

#include <vector>

#include "zr/export.h"

namespace ZR {

class ZR_API convolutionMath {
 public:
  /// w resized to m + n − 1 entries, then w[k] := u[t]·v[k − t] + w[k] for ascending t over the
  /// shorter input (u when equally long): the convolution is added onto what w held. One empty
  /// input adds nothing; two empty inputs raise std::length_error ("vector<T> too long").
  void conv(std::vector<double> u, std::vector<double> v, std::vector<double>& w);
  /// C resized to (ma + mb − 1) rows of (na + nb − 1) entries (na, nb the lengths of row 0; a
  /// matrix without rows has no columns). Each entry is the sum over i, then j, ascending, of the
  /// double product A[i][j]·B[r − i][c − j] added to a float running sum (so results carry single
  /// precision). na = 0 writes no entry; nb = 0 sets every entry to 0.0; na = nb = 0 raises
  /// std::length_error; a row shorter than its row 0 raises std::out_of_range.
  void conv2(std::vector<std::vector<double>> A, std::vector<std::vector<double>> B,
             std::vector<std::vector<double>>& C);
};

}  // namespace ZR
