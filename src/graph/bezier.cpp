// Bezier curves of Graph: the Bernstein form of any degree and closed forms of degree 1 to 3.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "frame/failure.h"
#include "frame/power.h"
#include "zr/Graph.h"

namespace ZR {
namespace {

using Curve = std::vector<std::vector<double>>;

constexpr std::size_t kRowsN = 2000;      // rows of bezier_n for the step 0.0005f
constexpr std::size_t kRowsClosed = 501;  // rows of the closed forms for the step 0.002f

void makeRoom(Curve& curve, std::size_t rows) {
  if (curve.max_size() - curve.size() < rows) detail::throwLengthError();
  curve.reserve(curve.size() + rows);
}

void append(Curve& curve, float x, float y) {
  curve.push_back({static_cast<double>(x), static_cast<double>(y)});
}

// n! / ((n − k)! · k!) with ascending factorials, the denominator multiplied first; 1.0 for k = 0.
double binomialCoefficient(std::int32_t n, std::int32_t k) {
  if (k == 0) return 1.0;
  return detail::factorialAscending(n) / (detail::factorialAscending(n - k) * detail::factorialAscending(k));
}

// The closed forms read the points m, m+1, … of both coordinates; y must reach as far as x.
void requirePoints(const std::vector<int>& x, const std::vector<int>& y, std::size_t count) {
  if (x.size() < count || y.size() < x.size()) detail::throwOutOfRange();
}

float toFloat(std::int64_t v) { return static_cast<float>(v); }

// v rounded to the nearest float (ties to even) but kept as an integer, |v| < 2^62: the rounding
// done in integer arithmetic, so that no compiler can skip it by reusing the unrounded value.
std::int64_t roundedToFloat(std::int64_t v) {
  const std::uint64_t m = v < 0 ? 0u - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  const std::uint64_t top = std::uint64_t{1} << 24;  // floats carry 24 significant bits
  if (m < top) return v;
  unsigned shift = 0;
  while ((m >> shift) >= top) ++shift;
  std::uint64_t q = m >> shift;
  const std::uint64_t rest = m - (q << shift);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (q & 1u) != 0u)) ++q;
  const auto r = static_cast<std::int64_t>(q << shift);
  return v < 0 ? -r : r;
}

// Σ p[i]·w[i] from i = 0, every partial sum rounded to float. x and y are summed by separate
// calls, never side by side in one loop: GCC 12's straight-line vectorizer packs such twin sums
// into one vector and then folds the pair of conversions double → float → double into nothing,
// dropping the rounding; with one sum per loop there is no pair to pack.
float weightedSum(const std::vector<int>& p, const std::vector<double>& w) {
  float s = 0.0f;
  for (std::size_t i = 0; i < w.size(); ++i)
    s = static_cast<float>(static_cast<double>(p[i]) * w[i] + static_cast<double>(s));
  return s;
}

}  // namespace

void Graph::bezier_n(std::vector<int> x, std::vector<int> y, int /*reserved*/, Curve& curve) {
  if (y.size() < x.size()) detail::throwOutOfRange();
  const std::size_t count = x.size();
  if (count > static_cast<std::size_t>(INT32_MAX)) detail::throwLengthError();  // degree is an int
  const auto n = static_cast<std::int32_t>(count) - 1;
  // The coefficients do not depend on t; computing them once gives the same bits.
  std::vector<double> binomial(count);
  for (std::size_t i = 0; i < count; ++i) binomial[i] = binomialCoefficient(n, static_cast<std::int32_t>(i));
  makeRoom(curve, kRowsN);
  std::vector<double> weight(count);
  const float step = 0.0005f;
  for (float t = 0.0f; 1.0f >= t; t = t + step) {
    const float u = 1.0f - t;
    for (std::size_t i = 0; i < count; ++i) {
      const auto e = static_cast<std::int32_t>(i);
      const auto a = static_cast<float>(std::pow(static_cast<double>(t), static_cast<double>(e)));
      const auto b = static_cast<float>(std::pow(static_cast<double>(u), static_cast<double>(n - e)));
      weight[i] = binomial[i] * static_cast<double>(a) * static_cast<double>(b);
    }
    append(curve, weightedSum(x, weight), weightedSum(y, weight));
  }
}

void Graph::bezier_1(std::vector<int> x, std::vector<int> y, int /*reserved*/, Curve& curve) {
  const auto x0 = static_cast<float>(detail::at(x, 0));
  const auto x1 = static_cast<float>(detail::at(x, 1));
  const auto y0 = static_cast<float>(detail::at(y, 0));
  const auto y1 = static_cast<float>(detail::at(y, 1));
  makeRoom(curve, kRowsClosed);
  const float step = 0.002f;
  for (float t = 0.0f; 1.0f >= t; t = t + step) {
    const float u = 1.0f - t;
    append(curve, (u * x0) + (t * x1), (u * y0) + (t * y1));
  }
}

void Graph::bezier_2(std::vector<int> x, std::vector<int> y, int /*reserved*/, Curve& curve) {
  requirePoints(x, y, 3);
  const std::size_t m = x.size() - 3;
  // A = P2 − 2·P1 + P0 and B = 2·(P1 − P0), exact in 64 bits for every int.
  auto coefficients = [m](const std::vector<int>& p, float& A, float& B, float& p0) {
    const std::int64_t q0 = p[m], q1 = p[m + 1], q2 = p[m + 2];
    A = toFloat(q2 - 2 * q1 + q0);
    B = toFloat(2 * (q1 - q0));
    p0 = static_cast<float>(p[m]);
  };
  float Ax, Bx, x0, Ay, By, y0;
  coefficients(x, Ax, Bx, x0);
  coefficients(y, Ay, By, y0);
  makeRoom(curve, kRowsClosed);
  const float step = 0.002f;
  for (float t = 0.0f; 1.0f >= t; t = t + step) {
    const float t2 = t * t;
    append(curve, ((t * Bx) + (t2 * Ax)) + x0, ((t * By) + (t2 * Ay)) + y0);
  }
}

void Graph::bezier_3(std::vector<int> x, std::vector<int> y, int /*reserved*/, Curve& curve) {
  requirePoints(x, y, 4);
  const std::size_t m = x.size() - 4;
  // C = 3·(P1 − P0), B = 3·(P2 − P1) − C, A = (P3 − P0) − C − B. 3·(P1 − P0) and 3·(P2 − P1) are
  // exact in 64 bits, and so is B's difference once C is rounded to float: C's rounding is done in
  // integers and B takes a single rounding from the exact difference. (Through double, GCC 12's
  // vectorizer fuses the x and y sums and reuses C before its rounding in B.)
  auto coefficients = [m](const std::vector<int>& p, float& A, float& B, float& C, float& p0) {
    const std::int64_t q0 = p[m], q1 = p[m + 1], q2 = p[m + 2], q3 = p[m + 3];
    const std::int64_t c = roundedToFloat(3 * (q1 - q0));
    C = toFloat(c);  // exact
    B = toFloat(3 * (q2 - q1) - c);
    A = (toFloat(q3 - q0) - C) - B;
    p0 = static_cast<float>(p[m]);
  };
  float Ax, Bx, Cx, x0, Ay, By, Cy, y0;
  coefficients(x, Ax, Bx, Cx, x0);
  coefficients(y, Ay, By, Cy, y0);
  makeRoom(curve, kRowsClosed);
  const float step = 0.002f;
  for (float t = 0.0f; 1.0f >= t; t = t + step) {
    const float t2 = t * t;
    const float t3 = t * t2;
    append(curve, (((t2 * Bx) + (t3 * Ax)) + (t * Cx)) + x0, (((t2 * By) + (t3 * Ay)) + (t * Cy)) + y0);
  }
}

}  // namespace ZR
