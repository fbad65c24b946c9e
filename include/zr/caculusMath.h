#pragma once

/// \class ZR::caculusMath
/// caculusMath: polynomials as coefficient vectors, highest power first: p[0]·x^(n−1) + … + p[n−1].
/// Powers come from binary exponentiation, not a library pow. Both operations only read p.

#include <vector>

#include "zr/export.h"

namespace ZR {

class ZR_API caculusMath {
 public:
  /// ∫ p from interval[0] to interval[1]: the antiderivative (no constant term) evaluated highest
  /// power first at both bounds, F(b) − F(a). Entries past interval[1] are ignored. The empty p
  /// gives 0.0 without reading the interval; otherwise an interval of fewer than two entries
  /// raises std::out_of_range ("invalid vector<T> subscript").
  double polyint(const std::vector<double>& p, const std::vector<double>& interval);
  /// The n − 1 coefficients of the derivative, r[i] = (n − 1 − i)·p[i]. The empty p raises
  /// std::length_error ("vector<T> too long") before allocating anything.
  std::vector<double> polyder(const std::vector<double>& p);
};

}  // namespace ZR
