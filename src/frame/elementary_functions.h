#pragma once

// The library's own elementary functions. Each returns the double nearest to the exact value
// (ties to even) and follows C99 Annex F for special values and signed zeros. They use only
// +, -, *, / and sqrt on double and integer operations, in a fixed order (no fused multiply-add,
// no long double, no C runtime call), so every build on every CPU gives the same bits.
//
// How: the value is evaluated with a bound on its relative error (in double, then double-double,
// then triple-double); as soon as every number inside the bound rounds to the same double, that
// double is returned. sin/cos reduce large arguments exactly with the bits of 2/pi.

namespace zr_frame {

double sin(double x);
double cos(double x);
/// s = sin(x) and c = cos(x), the same bits as the two calls, for about the price of one.
void sinCos(double x, double& s, double& c);
/// For x > 0 and |y/x| < 2^-27 (within wide exponent ranges), where atan2(y, x) is almost
/// always the rounded quotient: sets out = atan2(y, x) and returns true when it is decided
/// cheaply; false (out untouched) means call atan2.
bool atan2Small(double y, double x, double& out);
double asin(double x);
double acos(double x);
/// theta = acos(c) and s = sin(theta) (of the rounded theta), the same bits as the two calls;
/// the sine comes from sqrt(1 - c^2) and the rounding error of theta wherever that decides it.
void acosSin(double c, double& theta, double& s);
double atan(double x);
double atan2(double y, double x);
/// r0 = atan2(y0, x0) and r1 = atan2(y1, x1), the same bits as the two calls; on x86 both
/// fast paths run at once in the two lanes of SSE2 registers.
void atan2Pair(double y0, double x0, double y1, double x1, double& r0, double& r1);
double exp(double x);
double log(double x);
double pow(double x, double y);
double sinh(double x);
double cosh(double x);
double tanh(double x);

}  // namespace zr_frame
