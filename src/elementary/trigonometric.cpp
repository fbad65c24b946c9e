#include "zr/TrigonometricFunctionMath.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "frame/elementary_functions.h"
#include "frame/power.h"

namespace ZR {

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;

// m! for m = 0 … 59, each the ascending product a term-by-term computation would form; built
// once, so the series do not rebuild the same factorials on every term of every call.
const std::array<double, 60> kFactorial = [] {
  std::array<double, 60> f{};
  for (std::int32_t m = 0; m < 60; ++m) f[static_cast<std::size_t>(m)] = detail::factorialAscending(m);
  return f;
}();

// x^e for every e of one parity from `first` to `last` (step 2), each exactly as the integer
// power forms it: r = 1.0, then r·b for the set bits of e from the lowest up, where b runs through
// the repeated squares x, x², x⁴, …. Those squares are the same for every e, so they are formed
// once; and since the highest bit comes last, x^e = x^(e without its highest bit) · b_highest,
// one multiplication per exponent from a smaller one of the same parity (or from x^0 = 1.0).
// (−1)^k for k = 0 … 29, exact, from the integer power as before. Held in a table rather than
// written as a constant choice, so the product power·sign stays a multiplication (a compiler may
// turn a multiplication by a known −1.0 into a sign flip, which treats a NaN differently).
const std::array<double, 30> kSign = [] {
  std::array<double, 30> a{};
  for (std::int32_t k = 0; k < 30; ++k) a[static_cast<std::size_t>(k)] = detail::intPow(-1.0, k);
  return a;
}();

// The position of the highest set bit of e, for e = 1 … 255.
const std::array<std::uint8_t, 256> kHighBit = [] {
  std::array<std::uint8_t, 256> h{};
  for (std::size_t e = 2; e < 256; ++e) h[e] = static_cast<std::uint8_t>(h[e / 2] + 1);
  return h;
}();

template <std::size_t N>
void oddOrEvenPowers(double x, std::size_t first, std::size_t last, std::array<double, N>& p) {
  double squares[8];
  squares[0] = x;
  for (std::size_t i = 1; i <= kHighBit[last]; ++i) squares[i] = squares[i - 1] * squares[i - 1];
  p[0] = 1.0;
  for (std::size_t e = first; e <= last; e += 2) {
    const std::size_t high = kHighBit[e];
    p[e] = p[e - (std::size_t{1} << high)] * squares[high];
  }
}

// (1·3·…·(2k − 1)) / (2·4·…·2k) of the arcsine series for k = 0 … 99: both products formed in
// double with ascending factors and divided, as every call would form them.
const std::array<double, 100> kArcsineRatio = [] {
  std::array<double, 100> r{};
  double odd = 1.0, even = 1.0;
  for (std::int32_t k = 0; k <= 99; ++k) {
    const std::int32_t n = 2 * k + 1;
    if (k >= 1) {
      odd = odd * static_cast<double>(n - 2);
      even = even * static_cast<double>(n - 1);
    }
    r[static_cast<std::size_t>(k)] = odd / even;
  }
  return r;
}();

double sineSeries(double x) {
  std::array<double, 58> power;
  oddOrEvenPowers(x, 1, 57, power);
  double s = 0.0;
  for (std::int32_t k = 0; k <= 28; ++k) {
    const double sign = kSign[static_cast<std::size_t>(k)];
    const double t = (power[static_cast<std::size_t>(2 * k + 1)] * sign) / kFactorial[static_cast<std::size_t>(2 * k + 1)];
    s = t + s;
  }
  return s;
}

double cosineSeries(double x) {
  std::array<double, 59> power;
  oddOrEvenPowers(x, 2, 58, power);
  double s = 0.0;
  for (std::int32_t k = 1; k <= 29; ++k) {
    const double sign = kSign[static_cast<std::size_t>(k)];
    const double t = (power[static_cast<std::size_t>(2 * k)] * sign) / kFactorial[static_cast<std::size_t>(2 * k)];
    s = t + s;
  }
  return s + 1.0;  // the constant term comes last
}

}  // namespace

double TrigonometricFunctionMath::sin(double x) { return sineSeries(x); }
double TrigonometricFunctionMath::cos(double x) { return cosineSeries(x); }
double TrigonometricFunctionMath::sind(double x) { return sineSeries(x * kDegree); }
double TrigonometricFunctionMath::cosd(double x) { return cosineSeries(x * kDegree); }

double TrigonometricFunctionMath::tan(double x) {
  const double s = sin(x);
  return s / cos(x);
}
double TrigonometricFunctionMath::tand(double x) {
  const double s = sind(x);
  return s / cosd(x);
}
double TrigonometricFunctionMath::sec(double x) { return 1.0 / cos(x); }
double TrigonometricFunctionMath::secd(double x) { return 1.0 / cosd(x); }
double TrigonometricFunctionMath::csc(double x) { return 1.0 / sin(x); }
double TrigonometricFunctionMath::cscd(double x) { return 1.0 / sind(x); }
double TrigonometricFunctionMath::cot(double x) {
  const double c = cos(x);
  return c / sin(x);
}
double TrigonometricFunctionMath::cotd(double x) {
  const double c = cosd(x);
  return c / sind(x);
}

double TrigonometricFunctionMath::asin(double x) {
  std::array<double, 200> power;
  oddOrEvenPowers(x, 1, 199, power);
  double s = 0.0;
  for (std::size_t k = 0; k <= 99; ++k) {
    const std::size_t n = 2 * k + 1;
    const double t = (power[n] / static_cast<double>(n)) * kArcsineRatio[k];
    s = t + s;
  }
  return s;
}

double TrigonometricFunctionMath::asind(double x) { return zr_frame::asin(x) * 180.0 / kPi; }

double TrigonometricFunctionMath::asinh(double x) { return zr_frame::log(std::sqrt(x * x + 1.0) + x); }
double TrigonometricFunctionMath::acosh(double x) { return zr_frame::log(std::sqrt(x * x - 1.0) + x); }
double TrigonometricFunctionMath::atanh(double x) { return 0.5 * zr_frame::log((x + 1.0) / (1.0 - x)); }
double TrigonometricFunctionMath::asech(double x) { return zr_frame::log((std::sqrt(1.0 - x * x) + 1.0) / x); }
double TrigonometricFunctionMath::acsch(double x) {
  return zr_frame::log(std::sqrt(x * x + 1.0) / std::fabs(x) + 1.0 / x);
}
double TrigonometricFunctionMath::acoth(double x) { return 0.5 * zr_frame::log((x + 1.0) / (x - 1.0)); }

double TrigonometricFunctionMath::sinh(double x) { return zr_frame::sinh(x); }
double TrigonometricFunctionMath::cosh(double x) { return zr_frame::cosh(x); }
double TrigonometricFunctionMath::tanh(double x) { return zr_frame::tanh(x); }
double TrigonometricFunctionMath::coth(double x) { return 1.0 / zr_frame::tanh(x); }
double TrigonometricFunctionMath::sech(double x) { return 1.0 / zr_frame::cosh(x); }
double TrigonometricFunctionMath::csch(double x) { return 1.0 / zr_frame::sinh(x); }

}  // namespace ZR
