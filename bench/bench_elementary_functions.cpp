// The library's own elementary functions against the C runtime (glibc here), on arguments in the
// ranges the library's operations pass them. Time per call = time per iteration / 1024.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "frame/elementary_functions.h"

namespace {

constexpr int kN = 1024;

std::vector<double> grid(double lo, double hi) {
  std::vector<double> v(kN);
  std::uint64_t s = 12345;
  for (double& x : v) {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    x = lo + (hi - lo) * static_cast<double>(s >> 11) * 0x1p-53;
  }
  return v;
}

// Both sides are called through a function pointer, so the call costs the same.
void unary(benchmark::State& st, double (*F)(double), double lo, double hi) {
  const std::vector<double> v = grid(lo, hi);
  for (auto _ : st)
    for (double x : v) benchmark::DoNotOptimize(F(x));
  st.SetItemsProcessed(st.iterations() * kN);
}
void binary(benchmark::State& st, double (*F)(double, double), double lo, double hi, double lo2, double hi2) {
  const std::vector<double> a = grid(lo, hi), b = grid(lo2, hi2);
  for (auto _ : st)
    for (int i = 0; i < kN; ++i) benchmark::DoNotOptimize(F(a[static_cast<std::size_t>(i)], b[static_cast<std::size_t>(kN - 1 - i)]));
  st.SetItemsProcessed(st.iterations() * kN);
}

double rtSin(double x) { return std::sin(x); }
double rtCos(double x) { return std::cos(x); }
double rtAsin(double x) { return std::asin(x); }
double rtAcos(double x) { return std::acos(x); }
double rtAtan(double x) { return std::atan(x); }
double rtAtan2(double y, double x) { return std::atan2(y, x); }
double rtExp(double x) { return std::exp(x); }
double rtLog(double x) { return std::log(x); }
double rtPow(double x, double y) { return std::pow(x, y); }
double rtSinh(double x) { return std::sinh(x); }
double rtCosh(double x) { return std::cosh(x); }
double rtTanh(double x) { return std::tanh(x); }
double rtPowInt(double x, double y) { return std::pow(x, std::floor(y)); }
double zrPowInt(double x, double y) { return zr_frame::pow(x, std::floor(y)); }
// an angle from its cosine and the sine of that angle (rotation matrix to rotation vector)
double rtAcosSin(double c) { const double t = std::acos(c); return t + std::sin(t); }
double zrAcosSin(double c) { double t, s; zr_frame::acosSin(c, t, s); return t + s; }

#define ZR_PAIR1(name, rt, lo, hi)                                                 \
  BENCHMARK_CAPTURE(unary, zr_##name, zr_frame::name, lo, hi);                     \
  BENCHMARK_CAPTURE(unary, glibc_##name, rt, lo, hi);
#define ZR_PAIR2(name, zrf, rt, lo, hi, lo2, hi2)                                  \
  BENCHMARK_CAPTURE(binary, zr_##name, zrf, lo, hi, lo2, hi2);                     \
  BENCHMARK_CAPTURE(binary, glibc_##name, rt, lo, hi, lo2, hi2);

// angles of the rotation conversions and the SVD, cosines, Gaussian exponents, Bezier weights
ZR_PAIR1(sin, rtSin, -3.15, 3.15)
ZR_PAIR1(cos, rtCos, -3.15, 3.15)
ZR_PAIR1(asin, rtAsin, -1.0, 1.0)
ZR_PAIR1(acos, rtAcos, -1.0, 1.0)
BENCHMARK_CAPTURE(unary, zr_acos_sin, zrAcosSin, -1.0, 1.0);
BENCHMARK_CAPTURE(unary, glibc_acos_sin, rtAcosSin, -1.0, 1.0);
ZR_PAIR1(atan, rtAtan, -10.0, 10.0)
ZR_PAIR2(atan2, zr_frame::atan2, rtAtan2, -1.0, 1.0, -1.0, 1.0)
ZR_PAIR1(exp, rtExp, -20.0, 0.0)
ZR_PAIR1(log, rtLog, 0.01, 10.0)
ZR_PAIR2(pow, zr_frame::pow, rtPow, 0.01, 10.0, -3.0, 3.0)
ZR_PAIR2(pow_int, zrPowInt, rtPowInt, 0.0, 1.0, 0.0, 20.0)
ZR_PAIR1(sinh, rtSinh, -5.0, 5.0)
ZR_PAIR1(cosh, rtCosh, -5.0, 5.0)
ZR_PAIR1(tanh, rtTanh, -5.0, 5.0)

}  // namespace
