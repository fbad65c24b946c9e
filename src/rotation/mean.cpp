// The chordal mean of weighted orientations.

#include <cstddef>

#include "frame/failure.h"
#include "rotation/eigen4.h"
#include "rotation/rotation_detail.h"
#include "zr/mathCommon.h"

namespace ZR {

void mathCommon::quaMean(const std::vector<QuaD>& qs, const std::vector<double>& weights, QuaD& out) {
  const std::size_t n = qs.size();
  if (weights.size() != n) detail::throwOutOfRange();
  // M = Σ wᵢ·uᵢ·uᵢᵀ over the normalised uᵢ (upper triangle), each entry summed from i = 0 as
  // (wᵢ·uᵢ[r])·uᵢ[c]; it is the same for uᵢ and −uᵢ.
  double m[4][4] = {};
  for (std::size_t i = 0; i < n; ++i) {
    const QuaD u = detail::normalised(qs[i]);
    const double c[4] = {u.w, u.x, u.y, u.z};
    for (int r = 0; r < 4; ++r) {
      const double wr = weights[i] * c[r];
      for (int s = r; s < 4; ++s) m[r][s] += wr * c[s];
    }
  }
  out = zr_rotation::principalQuaternion(m);
}

}  // namespace ZR
