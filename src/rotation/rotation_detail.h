#pragma once

// Building blocks the rotation operations share: quaternion normalisation, the row-vector matrix
// of a unit quaternion and the matrix-to-quaternion step.

#include "zr/types.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ZR::detail {

/// {w / n, x / n, y / n, z / n}: four independent divisions, two lanes at a time where SSE2 is
/// available (each lane is the correctly rounded IEEE quotient, as the scalar division is).
inline QuaD dividedBy(double w, double x, double y, double z, double n) {
#if defined(__SSE2__)
  const __m128d d = _mm_set1_pd(n);
  const __m128d wx = _mm_div_pd(_mm_set_pd(x, w), d), yz = _mm_div_pd(_mm_set_pd(z, y), d);
  double r[4];
  _mm_storeu_pd(r, wx);
  _mm_storeu_pd(r + 2, yz);
  return QuaD{r[0], r[1], r[2], r[3]};
#else
  return QuaD{w / n, x / n, y / n, z / n};
#endif
}

constexpr double kPi = 3.141592653589793;

/// How far rounding may push a cosine or sine read from a rotation matrix past ±1: 8 units in the
/// last place of 1.0. Values beyond it mean the matrix is not a rotation and keep the IEEE result
/// of the plain formula (NaN from acos or asin).
constexpr double kRoundingSlack = 0x1p-49;

/// q / |q| with |q| = sqrt(((x² + w²) + y²) + z²); the zero quaternion becomes (1, 0, 0, 0).
QuaD normalised(const QuaD& q);

/// The row-vector layout Aᵀ of the unit quaternion u (doubled components, fixed products).
void rowMatrixOfUnit(const QuaD& u, double (*m)[3]);

/// The unit quaternion of a matrix in the column-vector layout (m[i][j] = A[i][j]): the trace
/// branch when 1 + trace > 1e-8, else the branch of the largest diagonal element; normalised.
QuaD quaternionOfColumnMatrix(const double (*m)[3]);

}  // namespace ZR::detail
