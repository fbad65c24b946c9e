// Distance and interpolation along the great circle of two orientations.

#include <cmath>

#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {
namespace {

// sqrt(((w² + x²) + y²) + z²) of the component-wise difference (sign −1) or sum (sign +1).
double chord(const QuaD& a, const QuaD& b, double sign) {
  const double w = a.w + sign * b.w, x = a.x + sign * b.x, y = a.y + sign * b.y, z = a.z + sign * b.z;
  return std::sqrt(((w * w + x * x) + y * y) + z * z);
}

}  // namespace

double mathCommon::quaAngularDistance(QuaD a, QuaD b) {
  const QuaD u = detail::normalised(a), v = detail::normalised(b);
  // d = conj(u)·v, its vector part paired so that swapping a and b negates it exactly: the
  // distance is symmetric to the bit.
  const double dw = ((u.w * v.w + u.x * v.x) + u.y * v.y) + u.z * v.z;
  const double dx = (u.w * v.x - u.x * v.w) + (u.z * v.y - u.y * v.z);
  const double dy = (u.w * v.y - u.y * v.w) + (u.x * v.z - u.z * v.x);
  const double dz = (u.w * v.z - u.z * v.w) + (u.y * v.x - u.x * v.y);
  // |(dx, dy, dz)| scaled by its largest component, so tiny angles do not underflow to 0.
  const double m = std::fmax(std::fmax(std::fabs(dx), std::fabs(dy)), std::fabs(dz));
  double s = 0.0;
  if (m > 0.0) {
    const double x = dx / m, y = dy / m, z = dz / m;
    s = m * std::sqrt((x * x + y * y) + z * z);
  } else if (m != m) {
    s = m;
  }
  return 2.0 * std::atan2(s, std::fabs(dw));
}

void mathCommon::quaSlerp(QuaD a, QuaD b, double t, QuaD& out) {
  const QuaD u = detail::normalised(a);
  QuaD v = detail::normalised(b);
  // The shorter arc: b and −b are one rotation; take the one on u's side.
  if (((u.w * v.w + u.x * v.x) + u.y * v.y) + u.z * v.z < 0.0) v = QuaD{-v.w, -v.x, -v.y, -v.z};
  if (t == 0.0) {
    out = u;
    return;
  }
  if (t == 1.0) {
    out = v;
    return;
  }
  // The arc between them from the two chords: θ = 2·atan2(|u − v|, |u + v|) in [0, π/2].
  const double theta = 2.0 * std::atan2(chord(u, v, -1.0), chord(u, v, 1.0));
  double ku, kv;
  if (theta == 0.0) {
    ku = 1.0 - t;
    kv = t;
  } else {
    const double s = std::sin(theta);
    ku = std::sin((1.0 - t) * theta) / s;
    kv = std::sin(t * theta) / s;
  }
  out = QuaD{ku * u.w + kv * v.w, ku * u.x + kv * v.x, ku * u.y + kv * v.y, ku * u.z + kv * v.z};
}

}  // namespace ZR
