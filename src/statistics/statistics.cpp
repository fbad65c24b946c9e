// Sample statistics: mean, variance, standard deviation, normal density, medians.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "frame/failure.h"
#include "zr/statisticsMath.h"

namespace ZR {
namespace {

// The sample size as the unsigned 32-bit count every division uses.
std::uint32_t count(const std::vector<double>& x) { return static_cast<std::uint32_t>(x.size()); }

double meanOf(const std::vector<double>& x) {
  double s = 0.0;
  for (const double v : x) s = s + v;
  return s / static_cast<double>(count(x));
}

// Σ (x[i] − mean)², the sum from element 0.
double squaredDeviations(const std::vector<double>& x) {
  const double m = meanOf(x);
  double q = 0.0;
  for (const double v : x) {
    const double d = v - m;
    q = q + d * d;
  }
  return q;
}

// n − 1 formed in unsigned 32-bit arithmetic: an empty sample wraps to 4294967295.
double varianceDivisor(const std::vector<double>& x) { return static_cast<double>(count(x) - 1u); }

// The order the median selects by: numeric order with −0.0 before +0.0. Values that compare
// equal under it have the same bits, so which of them lands in the middle is invisible and every
// standard library's selection gives the same result. (NaN never reaches it.)
bool totalLess(double a, double b) { return a < b || (a == b && std::signbit(a) && !std::signbit(b)); }

// Median of the values (reordered in place). Even counts average the two middle values without
// overflowing; NaN anywhere, or no values, gives NaN.
double medianOf(std::vector<double>& v) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (v.empty()) return nan;
  for (const double e : v)
    if (std::isnan(e)) return nan;
  const std::size_t mid = v.size() / 2;
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid), v.end(), totalLess);
  const double upper = v[mid];
  if (v.size() % 2 == 1) return upper;
  const double lower = *std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid), totalLess);
  const double sum = lower + upper;
  if (std::isinf(sum) && std::isfinite(lower) && std::isfinite(upper)) return lower / 2.0 + upper / 2.0;
  return sum / 2.0;
}

}  // namespace

void statisticsMath::mean(std::vector<double> sample, double& result) { result = meanOf(sample); }

void statisticsMath::var(std::vector<double> sample, double& result) {
  result = squaredDeviations(sample) / varianceDivisor(sample);
}

void statisticsMath::std(std::vector<double> sample, double& result) {
  result = std::sqrt(squaredDeviations(sample) / varianceDivisor(sample));
}

void statisticsMath::normalpdf(std::vector<double> points, const double& mu, const double& sigma,
                               std::vector<double>& pdf) {
  if (points.empty()) return;
  // Read once: mu or sigma may refer into pdf, which appending can move.
  const double m = mu;
  const double s = sigma;
  const double c = std::sqrt(6.283185307179586);
  for (const double x : points) {
    const double t = x - m;
    const double e = std::exp(-((t * t) / ((s * 2.0) * s)));
    const double f = 1.0 / (c * s);
    pdf.push_back(e * f);
  }
}

std::vector<double> statisticsMath::median(const std::vector<std::vector<double>>& matrix, int dim) {
  std::vector<double> result;
  std::vector<double> work;
  if (dim == 2) {
    result.reserve(matrix.size());
    for (const auto& row : matrix) {
      work.assign(row.begin(), row.end());
      result.push_back(medianOf(work));
    }
  } else if (dim == 1) {
    if (matrix.empty()) return result;
    const std::size_t cols = matrix[0].size();
    for (const auto& row : matrix)
      if (row.size() < cols) detail::throwOutOfRange();
    result.reserve(cols);
    for (std::size_t j = 0; j < cols; ++j) {
      work.clear();
      for (const auto& row : matrix) work.push_back(row[j]);
      result.push_back(medianOf(work));
    }
  }
  return result;
}

}  // namespace ZR
