#include "zr/caculusMath.h"

#include <cstdint>

#include "frame/failure.h"
#include "frame/power.h"

namespace ZR {

namespace {

// Σ q[idx]·x^(n − idx) from the highest power down, starting from 0.0.
double antiderivativeAt(const std::vector<double>& q, double x) {
  const std::size_t n = q.size();
  double f = 0.0;
  for (std::size_t idx = 0; idx < n; ++idx)
    f = f + q[idx] * detail::intPow(x, static_cast<std::int32_t>(n - idx));
  return f;
}

}  // namespace

double caculusMath::polyint(const std::vector<double>& p, const std::vector<double>& interval) {
  const std::size_t n = p.size();
  if (n == 0) return 0.0;
  if (interval.size() < 2) detail::throwOutOfRange();
  std::vector<double> q(n);
  for (std::size_t idx = 0; idx < n; ++idx) {
    const std::size_t k = n - 1 - idx;  // the power p[idx] multiplies
    q[idx] = k != 0 ? p[idx] / static_cast<double>(k + 1) : p[idx];
  }
  const double fa = antiderivativeAt(q, interval[0]);
  const double fb = antiderivativeAt(q, interval[1]);
  return fb - fa;
}

std::vector<double> caculusMath::polyder(const std::vector<double>& p) {
  const std::size_t n = p.size();
  // n − 1 taken as an unsigned count: the empty polynomial would ask for 4294967295 entries.
  if (n == 0) detail::throwLengthError();
  std::vector<double> r(n - 1);
  for (std::size_t idx = 0; idx + 1 < n; ++idx) r[idx] = static_cast<double>(n - 1 - idx) * p[idx];
  return r;
}

}  // namespace ZR
