#pragma once

// The principal eigenvector of a symmetric 4×4 matrix, as a quaternion: the step that
// alignVectors (Davenport's matrix) and quaMean (the scatter matrix of the quaternions) share.

#include "zr/types.h"

namespace zr_rotation {

/// Cyclic Jacobi on the symmetric k (only k[r][c] with r <= c is read), pairs swept in the order
/// (0,1) (0,2) (0,3) (1,2) (1,3) (2,3), at most 64 sweeps. Returns the eigenvector of the largest
/// eigenvalue (the lowest index among exactly equal ones) as (w, x, y, z), normalised, with w > 0,
/// or, when w is zero, the first non-zero of x, y, z positive. The zero matrix gives (1, 0, 0, 0).
ZR::QuaD principalQuaternion(const double (&k)[4][4]);

}  // namespace zr_rotation
