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

double sineSeries(double x) {
  double s = 0.0;
  for (std::int32_t k = 0; k <= 28; ++k) {
    const double t = (detail::intPow(x, 2 * k + 1) * detail::intPow(-1.0, k)) /
                     kFactorial[static_cast<std::size_t>(2 * k + 1)];
    s = t + s;
  }
  return s;
}

double cosineSeries(double x) {
  double s = 0.0;
  for (std::int32_t k = 1; k <= 29; ++k) {
    const double t =
        (detail::intPow(x, 2 * k) * detail::intPow(-1.0, k)) / kFactorial[static_cast<std::size_t>(2 * k)];
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
  double s = 0.0;
  double odd = 1.0;   // 1·3·…·(2k − 1)
  double even = 1.0;  // 2·4·…·2k
  for (std::int32_t k = 0; k <= 99; ++k) {
    const std::int32_t n = 2 * k + 1;
    if (k >= 1) {
      odd = odd * static_cast<double>(n - 2);
      even = even * static_cast<double>(n - 1);
    }
    const double p = detail::intPow(x, n);
    const double t = (p / static_cast<double>(n)) * (odd / even);
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
