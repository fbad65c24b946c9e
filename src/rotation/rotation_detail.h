#pragma once

// Building blocks the rotation operations share: quaternion normalisation, the row-vector matrix
// of a unit quaternion and the matrix-to-quaternion step.

#include "zr/types.h"

namespace ZR::detail {

constexpr double kPi = 3.141592653589793;

/// q / |q| with |q| = sqrt(((x² + w²) + y²) + z²); the zero quaternion becomes (1, 0, 0, 0).
QuaD normalised(const QuaD& q);

/// The row-vector layout Aᵀ of the unit quaternion u (doubled components, fixed products).
void rowMatrixOfUnit(const QuaD& u, double (*m)[3]);

/// The unit quaternion of a matrix in the column-vector layout (m[i][j] = A[i][j]): the trace
/// branch when 1 + trace > 1e-8, else the branch of the largest diagonal element; normalised.
QuaD quaternionOfColumnMatrix(const double (*m)[3]);

}  // namespace ZR::detail
