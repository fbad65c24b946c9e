#pragma once

/// \class ZR::TrigonometricFunctionMath
/// TrigonometricFunctionMath: sine, cosine and arcsine from truncated power series, the functions
/// built on them, and the inverse hyperbolic functions from their logarithmic formulas.
///
/// The series are summed term by term without range reduction: accurate near 0 (a few ulp up to
/// |x| ≈ π), meaningless beyond |x| ≈ 25, NaN or infinite once x^57 overflows. The d variants take
/// degrees and convert by one multiplication with 0.017453292519943295. Nothing is checked: out of
/// domain arguments give the IEEE result of the formula (±inf, NaN).

#include "zr/export.h"

namespace ZR {

class ZR_API TrigonometricFunctionMath {
 public:
  /// Σ_{k=0..28} x^(2k+1)·(−1)^k / (2k+1)!, summed from k = 0.
  double sin(double x);
  /// (Σ_{k=1..29} x^(2k)·(−1)^k / (2k)!) + 1.0, the constant added last.
  double cos(double x);
  /// sin of x·0.017453292519943295, bit for bit.
  double sind(double x);
  /// cos of x·0.017453292519943295, bit for bit.
  double cosd(double x);
  /// sin(x) / cos(x).
  double tan(double x);
  /// sind(x) / cosd(x).
  double tand(double x);
  /// 1.0 / cos(x).
  double sec(double x);
  /// 1.0 / cosd(x).
  double secd(double x);
  /// 1.0 / sin(x).
  double csc(double x);
  /// 1.0 / sind(x).
  double cscd(double x);
  /// cos(x) / sin(x).
  double cot(double x);
  /// cosd(x) / sind(x).
  double cotd(double x);
  /// Σ_{k=0..99} (x^n / n)·((1·3·…·(2k−1)) / (2·4·…·2k)), n = 2k + 1; no domain check.
  double asin(double x);
  /// The C runtime's asin(x)·180.0 / 3.141592653589793: degrees, NaN outside [−1, 1].
  double asind(double x);
  /// log(sqrt(x·x + 1.0) + x).
  double asinh(double x);
  /// log(sqrt(x·x − 1.0) + x).
  double acosh(double x);
  /// 0.5 · log((x + 1.0) / (1.0 − x)).
  double atanh(double x);
  /// log((sqrt(1.0 − x·x) + 1.0) / x).
  double asech(double x);
  /// log(sqrt(x·x + 1.0) / |x| + 1.0 / x).
  double acsch(double x);
  /// 0.5 · log((x + 1.0) / (x − 1.0)).
  double acoth(double x);
  /// The hyperbolic functions: the C runtime's sinh, cosh and tanh; coth, sech and csch are
  /// 1.0 divided by tanh, cosh and sinh.
  ///@{
  double sinh(double x);
  double cosh(double x);
  double tanh(double x);
  double coth(double x);
  double sech(double x);
  double csch(double x);
  ///@}
};

}  // namespace ZR
