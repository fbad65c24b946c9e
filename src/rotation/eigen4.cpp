// Symmetric 4×4 eigen-decomposition by cyclic Jacobi rotations, with a fixed sweep order so
// every build performs the same rotations and returns the same bits.

#include "rotation/eigen4.h"

#include <cmath>

#include "rotation/rotation_detail.h"

namespace zr_rotation {

ZR::QuaD principalQuaternion(const double (&k)[4][4]) {
  double a[4][4];
  double v[4][4];
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      a[r][c] = r <= c ? k[r][c] : k[c][r];
      v[r][c] = r == c ? 1.0 : 0.0;
    }
  }
  static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  for (int sweep = 0; sweep < 64; ++sweep) {
    bool diagonal = true;
    for (const auto& pq : kPairs) diagonal = diagonal && a[pq[0]][pq[1]] == 0.0;
    if (diagonal) break;
    for (const auto& pq : kPairs) {
      const int p = pq[0], q = pq[1];
      const double apq = a[p][q];
      if (apq == 0.0) continue;
      const double app = a[p][p], aqq = a[q][q];
      const double g = 100.0 * std::fabs(apq);
      // After three sweeps an element below the last place of both diagonal entries is dropped.
      if (sweep >= 3 && std::fabs(app) + g == std::fabs(app) && std::fabs(aqq) + g == std::fabs(aqq)) {
        a[p][q] = a[q][p] = 0.0;
        continue;
      }
      // t = tan φ of the rotation that zeroes a[p][q], the smaller of the two roots.
      const double h = aqq - app;
      double t;
      if (std::fabs(h) + g == std::fabs(h)) {
        t = apq / h;
      } else {
        const double theta = (0.5 * h) / apq;
        t = 1.0 / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
        if (theta < 0.0) t = -t;
      }
      const double c = 1.0 / std::sqrt(t * t + 1.0);
      const double s = t * c;
      a[p][p] = app - t * apq;
      a[q][q] = aqq + t * apq;
      a[p][q] = a[q][p] = 0.0;
      for (int r = 0; r < 4; ++r) {
        if (r != p && r != q) {
          const double arp = a[r][p], arq = a[r][q];
          a[r][p] = a[p][r] = c * arp - s * arq;
          a[r][q] = a[q][r] = s * arp + c * arq;
        }
        const double vrp = v[r][p], vrq = v[r][q];
        v[r][p] = c * vrp - s * vrq;
        v[r][q] = s * vrp + c * vrq;
      }
    }
  }
  int best = 0;
  for (int i = 1; i < 4; ++i) {
    if (a[i][i] > a[best][best]) best = i;
  }
  ZR::QuaD u = ZR::detail::normalised(ZR::QuaD{v[0][best], v[1][best], v[2][best], v[3][best]});
  const double lead = u.w != 0.0 ? u.w : u.x != 0.0 ? u.x : u.y != 0.0 ? u.y : u.z;
  if (lead < 0.0) u = ZR::QuaD{-u.w, -u.x, -u.y, -u.z};
  return u;
}

}  // namespace zr_rotation
