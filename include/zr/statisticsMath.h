#pragma once

/// \class ZR::statisticsMath
/// statisticsMath: descriptive statistics of one sample.
///
/// Conventions
/// - n, the sample size, is held as an unsigned 32-bit count and converted to double as unsigned;
///   so an empty sample's n − 1 wraps to 4294967295 and its variance is 0.0.
/// - Sums run from element 0 upwards in double, without compensation.
/// - Samples are taken by value; the caller's vectors are never changed.

#include <vector>

#include "zr/export.h"

namespace ZR {

class ZR_API statisticsMath {
 public:
  /// result := (Σ x[i]) / n. An empty sample gives NaN.
  void mean(std::vector<double> sample, double& result);
  /// result := Σ (x[i] − mean)² / (n − 1), the sample variance. One element gives NaN, none 0.0.
  void var(std::vector<double> sample, double& result);
  /// result := sqrt of the sample variance, computed as var does.
  void std(std::vector<double> sample, double& result);
  /// Appends, per point in order, exp(−((t·t) / ((sigma·2)·sigma))) · (1 / (sqrt(2π)·sigma)) with
  /// t = x − mu behind pdf's former contents; no points leaves pdf unchanged. mu and sigma are read
  /// once, before anything is appended (they may refer into pdf). sigma = 0 gives NaN.
  void normalpdf(std::vector<double> points, const double& mu, const double& sigma, std::vector<double>& pdf);
  /// dim 2: one median per row, in row order; dim 1: one median per column (the columns of row 0;
  /// a shorter row raises std::out_of_range "invalid vector<T> subscript"); any other dim: empty.
  /// An even count gives the mean of the two middle values (no overflow for finite inputs); a row
  /// or column holding NaN gives NaN, an empty row NaN. The matrix is only read.
  std::vector<double> median(const std::vector<std::vector<double>>& matrix, int dim);
};

}  // namespace ZR
