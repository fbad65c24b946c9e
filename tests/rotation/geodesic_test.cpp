// Rotating points, slerp and angular distance against Eigen, over one table of hard pairs.

#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "support.h"
#include "zr/mathCommon.h"

namespace {

using ZR::mathCommon;
using ZR::Point3D;
using ZR::QuaD;
using zrtest::bits;

constexpr double kEps = DBL_EPSILON;

Eigen::Quaterniond eig(const QuaD& q) { return Eigen::Quaterniond(q.w, q.x, q.y, q.z).normalized(); }
QuaD qua(const Eigen::Quaterniond& e) { return {e.w(), e.x(), e.y(), e.z()}; }
QuaD unit(const QuaD& q) {
  QuaD u{};
  mathCommon().quaIdentity(q, u);
  return u;
}
QuaD randomUnit(zrtest::Random& g) { return unit({g.in(-1, 1), g.in(-1, 1), g.in(-1, 1), g.in(-1, 1)}); }
QuaD neg(const QuaD& q) { return {-q.w, -q.x, -q.y, -q.z}; }

struct Pair {
  std::string name;
  QuaD a, b;
};

// The hard cases every property below sees, then random pairs.
std::vector<Pair> pairs() {
  zrtest::Random g(20);
  const QuaD r = randomUnit(g), id{1, 0, 0, 0};
  const Eigen::Quaterniond er = eig(r);
  std::vector<Pair> t = {
      {"identical", r, r},
      {"opposite signs, one rotation", r, neg(r)},
      {"half a turn apart", id, {0, 0, 0, 1}},
      {"a hair less than half a turn", id, {std::cos(1.5707963), 0, std::sin(1.5707963), 0}},
      {"tiny angle from the identity", id, {std::cos(1e-12), std::sin(1e-12), 0, 0}},
      {"tiny angle", r, qua(er * Eigen::Quaterniond(std::cos(1e-9), 0, 0, std::sin(1e-9)))},
      {"nearly opposite signs", r, neg(qua(er * Eigen::Quaterniond(std::cos(1e-9), std::sin(1e-9), 0, 0)))},
      {"not unit", {3, 0, 0, 3}, {0, 1e-3, 1e-3, 0}},
      {"zero counts as the identity", {0, 0, 0, 0}, {0.6, 0, 0.8, 0}},
  };
  for (int i = 0; i < 300; ++i) t.push_back({"random " + std::to_string(i), randomUnit(g), randomUnit(g)});
  return t;
}

TEST(Geodesic, DistanceAndSlerpMatchEigenOnHardPairs) {
  mathCommon m;
  for (const Pair& c : pairs()) {
    SCOPED_TRACE(c.name);
    const Eigen::Quaterniond ea = eig(unit(c.a)), eb = eig(unit(c.b));
    const double d = m.quaAngularDistance(c.a, c.b);
    EXPECT_NEAR(d, ea.angularDistance(eb), 8 * kEps);
    EXPECT_EQ(bits(d), bits(m.quaAngularDistance(c.b, c.a)));

    // Endpoints exact: a at t = 0, b on a's side at t = 1.
    QuaD ua = unit(c.a), ub = unit(c.b), out{};
    if ((ua.w * ub.w + ua.x * ub.x) + ua.y * ub.y + ua.z * ub.z < 0) ub = neg(ub);
    m.quaSlerp(c.a, c.b, 0.0, out);
    EXPECT_TRUE(bits(out.w) == bits(ua.w) && bits(out.z) == bits(ua.z));
    m.quaSlerp(c.a, c.b, 1.0, out);
    EXPECT_TRUE(bits(out.w) == bits(ub.w) && bits(out.x) == bits(ub.x));

    // Constant angular speed: eight equal steps of d/8 along the arc; Eigen agrees at each (its
    // slerp also stays on a's side).
    QuaD prev = ua;
    for (int k = 1; k <= 8; ++k) {
      const double t = k / 8.0;
      m.quaSlerp(c.a, c.b, t, out);
      EXPECT_NEAR(m.quaAngularDistance(prev, out), d / 8, 8 * kEps);
      EXPECT_NEAR(m.quaAngularDistance(ua, out), t * d, 8 * kEps);
      const Eigen::Quaterniond e = ea.slerp(t, eb);
      EXPECT_LE((Eigen::Vector4d(out.w, out.x, out.y, out.z) - Eigen::Vector4d(e.w(), e.x(), e.y(), e.z()))
                    .lpNorm<Eigen::Infinity>(),
                8 * kEps);
      prev = out;
    }
  }
  // Tiny angles are relatively accurate.
  for (double h : {1e-300, 1e-100, 1e-12, 1e-6})
    EXPECT_NEAR(m.quaAngularDistance({1, 0, 0, 0}, {std::cos(h), 0, 0, std::sin(h)}), 2 * h, 4 * kEps * h);
}

TEST(RotatePoint, MatchesEigen) {
  mathCommon m;
  zrtest::Random g(7);
  for (int i = 0; i < 500; ++i) {
    const QuaD q{g.in(-2, 2), g.in(-2, 2), g.in(-2, 2), g.in(-2, 2)};
    const Point3D p{g.in(-9, 9), g.in(-9, 9), g.in(-9, 9)};
    Point3D out{};
    m.quaRotatePoint(q, p, out);
    const Eigen::Vector3d e = eig(q) * Eigen::Vector3d(p.x, p.y, p.z);
    EXPECT_LE((Eigen::Vector3d(out.x, out.y, out.z) - e).lpNorm<Eigen::Infinity>(), 8 * kEps * e.norm());
  }
  // The zero quaternion leaves the point's bits alone, -0.0 included.
  Point3D out{};
  m.quaRotatePoint({0, 0, 0, 0}, {-0.0, 1e308, -3}, out);
  EXPECT_TRUE(bits(out.x) == bits(-0.0) && out.y == 1e308 && out.z == -3.0);
}

}  // namespace
