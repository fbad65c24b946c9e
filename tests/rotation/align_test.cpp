// vectors2Qua against a long-double oracle, alignVectors and quaMean against Eigen (Kabsch by
// JacobiSVD, the eigenvectors of the scatter matrix), and the degenerate inputs.

#include <gtest/gtest.h>

#include <Eigen/Dense>
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

Eigen::Vector3d ev(const Point3D& p) { return {p.x, p.y, p.z}; }

QuaD randomUnit(zrtest::Random& g) {
  QuaD u{};
  mathCommon().quaIdentity({g.in(-1, 1), g.in(-1, 1), g.in(-1, 1), g.in(-1, 1)}, u);
  return u;
}

Point3D randomPoint(zrtest::Random& g, double r) { return {g.in(-r, r), g.in(-r, r), g.in(-r, r)}; }

// The unit vector of p in long double, rounded once (scaled first: lengths may under/overflow).
Point3D direction(const Point3D& p) {
  const long double s = std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
  const long double x = p.x / s, y = p.y / s, z = p.z / s, n = std::sqrt(x * x + y * y + z * z);
  return {static_cast<double>(x / n), static_cast<double>(y / n), static_cast<double>(z / n)};
}

void expectIdentity(const QuaD& q) {
  EXPECT_TRUE(q.w == 1.0 && bits(q.x) == 0 && bits(q.y) == 0 && bits(q.z) == 0);
}

TEST(VectorsToQuaternion, MapsTheDirectionOnHardPairs) {
  mathCommon m;
  zrtest::Random g(4);
  struct Case {
    std::string name;
    Point3D from, to;
  };
  std::vector<Case> cases = {
      {"same direction, other length", {1, 2, 3}, {2, 4, 6}},
      {"opposite along x", {1, 0, 0}, {-5, 0, 0}},
      {"opposite, skew", {1, -2, 0.5}, {-2, 4, -1}},
      {"nearly opposite", {1, 0, 0}, {-1, 1e-9, 0}},
      {"nearly opposite, skew", {0.3, 0.4, 1.2}, {-0.3, -0.4 + 1e-12, -1.2}},
      {"tiny angle", {0.3, 0.4, 1.2}, {0.3, 0.4 + 1e-12, 1.2}},
      {"perpendicular", {0, 0, 2}, {0, 3, 0}},
      {"tiny and huge lengths", {1e-200, 3e-200, 0}, {0, 5e200, -1e200}},
  };
  for (int i = 0; i < 300; ++i)
    cases.push_back({"random " + std::to_string(i), randomPoint(g, 1), randomPoint(g, 1)});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QuaD q{};
    m.vectors2Qua(c.from, c.to, q);
    EXPECT_NEAR(((q.x * q.x + q.w * q.w) + q.y * q.y) + q.z * q.z, 1.0, 4 * kEps);
    // The rotated direction of `from` is the direction of `to`.
    const Point3D u = direction(c.from), v = direction(c.to);
    Point3D r{};
    m.quaRotatePoint(q, u, r);
    EXPECT_LE(std::fmax(std::fabs(r.x - v.x), std::fmax(std::fabs(r.y - v.y), std::fabs(r.z - v.z))),
              8 * kEps);
    // The shortest such rotation: its angle is the angle between the vectors (long double oracle).
    const long double dot = (long double)u.x * v.x + (long double)u.y * v.y + (long double)u.z * v.z;
    const long double cx = (long double)u.y * v.z - (long double)u.z * v.y,
                      cy = (long double)u.z * v.x - (long double)u.x * v.z,
                      cz = (long double)u.x * v.y - (long double)u.y * v.x;
    const double angle = (double)std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), dot);
    EXPECT_NEAR(m.quaAngularDistance({1, 0, 0, 0}, q), angle, 8 * kEps);
  }
  // The documented half-turn axes, zero vectors and equal directions.
  QuaD q{};
  m.vectors2Qua({1, 0, 0}, {-1, 0, 0}, q);
  EXPECT_TRUE(q.w == 0 && q.x == 0 && q.y == 0 && q.z == 1);
  m.vectors2Qua({0, 0, -2}, {0, 0, 7}, q);
  EXPECT_TRUE(q.w == 0 && q.x == 0 && q.y == -1 && q.z == 0);  // (0,0,-1) × e_x
  m.vectors2Qua({0, 0, 0}, {1, 2, 3}, q);
  expectIdentity(q);
  m.vectors2Qua({1, 2, 3}, {0, 0, 0}, q);
  expectIdentity(q);
  m.vectors2Qua({1, 2, 3}, {1, 2, 3}, q);
  expectIdentity(q);
}

// Kabsch by Eigen's SVD: R = V·diag(1, 1, d)·Uᵀ for H = Σ w·b·aᵀ = U·S·Vᵀ.
Eigen::Quaterniond kabsch(const std::vector<Point3D>& a, const std::vector<Point3D>& b,
                          const std::vector<double>& w) {
  Eigen::Matrix3d h = Eigen::Matrix3d::Zero();
  for (std::size_t i = 0; i < a.size(); ++i) h += w[i] * ev(b[i]) * ev(a[i]).transpose();
  Eigen::JacobiSVD<Eigen::Matrix3d> svd(h, Eigen::ComputeFullU | Eigen::ComputeFullV);
  const double d = (svd.matrixV() * svd.matrixU().transpose()).determinant() < 0 ? -1.0 : 1.0;
  const Eigen::Matrix3d r = svd.matrixV() * Eigen::Vector3d(1, 1, d).asDiagonal() * svd.matrixU().transpose();
  return Eigen::Quaterniond(r);
}

TEST(AlignVectors, MatchesKabschAndHandlesDegenerateSets) {
  mathCommon m;
  zrtest::Random g(11);
  for (int trial = 0; trial < 100; ++trial) {
    const QuaD rot = randomUnit(g);
    const std::size_t n = 2 + static_cast<std::size_t>(trial % 7);
    std::vector<Point3D> a(n), b(n);
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i) {
      b[i] = randomPoint(g, 3);
      m.quaRotatePoint(rot, b[i], a[i]);
      const Point3D noise = randomPoint(g, trial % 2 ? 0.1 : 0.0);
      a[i] = {a[i].x + noise.x, a[i].y + noise.y, a[i].z + noise.z};
      w[i] = g.in(0.1, 2);
    }
    QuaD q{};
    m.alignVectors(a, b, w, q);
    EXPECT_GE(q.w, 0.0);
    const Eigen::Quaterniond e = kabsch(a, b, w);
    EXPECT_NEAR(m.quaAngularDistance(q, {e.w(), e.x(), e.y(), e.z()}), 0.0, 1e-12) << trial;
    if (trial % 2 == 0) {
      EXPECT_NEAR(m.quaAngularDistance(q, rot), 0.0, 1e-13) << trial;
    }
  }
  QuaD q{};
  m.alignVectors({}, {}, {}, q);
  expectIdentity(q);
  m.alignVectors({{1, 0, 0}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, 1}}, {0.0, 0.0}, q);
  expectIdentity(q);
  // One direction only: some rotation taking it onto its partner.
  m.alignVectors({{0, 0, 2}, {0, 0, 5}}, {{1, 0, 0}, {3, 0, 0}}, {1.0, 1.0}, q);
  Point3D r{};
  m.quaRotatePoint(q, {1, 0, 0}, r);
  EXPECT_NEAR(r.z, 1.0, 4 * kEps);
  const std::vector<Point3D> two = {{1, 0, 0}, {0, 1, 0}};
  zrtest::expectOutOfRange([&] { m.alignVectors(two, two, {1.0}, q); });
  zrtest::expectOutOfRange([&] { m.alignVectors(two, two, {1.0, 1.0, 1.0}, q); });
  zrtest::expectOutOfRange([&] { m.alignVectors(two, {{1, 0, 0}}, {1.0, 1.0}, q); });
}

TEST(QuaMean, PrincipalEigenvectorOfTheScatterSignFree) {
  mathCommon m;
  zrtest::Random g(5);
  for (int trial = 0; trial < 100; ++trial) {
    const QuaD centre = randomUnit(g);
    const std::size_t n = 1 + static_cast<std::size_t>(trial % 6);
    std::vector<QuaD> qs(n), flipped(n);
    std::vector<double> w(n);
    Eigen::Matrix4d scatter = Eigen::Matrix4d::Zero();
    for (std::size_t i = 0; i < n; ++i) {
      const double s = trial < 50 ? 0.3 : 3.0;  // clustered, then spread over the whole sphere
      m.quaMulti(centre, {1, g.in(-s, s), g.in(-s, s), g.in(-s, s)}, qs[i]);
      m.quaIdentity(qs[i], qs[i]);
      flipped[i] = i % 2 ? QuaD{-qs[i].w, -qs[i].x, -qs[i].y, -qs[i].z} : qs[i];
      w[i] = g.in(0.1, 2);
      const Eigen::Vector4d v(qs[i].w, qs[i].x, qs[i].y, qs[i].z);
      scatter += w[i] * v * v.transpose();
    }
    QuaD q{}, qf{};
    m.quaMean(qs, w, q);
    m.quaMean(flipped, w, qf);
    EXPECT_EQ(bits(q.w), bits(qf.w));
    EXPECT_EQ(bits(q.z), bits(qf.z));
    Eigen::SelfAdjointEigenSolver<Eigen::Matrix4d> es(scatter);
    const Eigen::Vector4d e = es.eigenvectors().col(3);
    const double gap = es.eigenvalues()(3) - es.eigenvalues()(2);
    EXPECT_NEAR(m.quaAngularDistance(q, {e(0), e(1), e(2), e(3)}), 0.0, 64 * kEps / gap) << trial;
    if (n == 1) {  // the mean of one is itself
      EXPECT_NEAR(m.quaAngularDistance(q, qs[0]), 0.0, 16 * kEps);
    }
  }
  QuaD q{};
  m.quaMean({}, {}, q);
  expectIdentity(q);
  m.quaMean({{0.6, 0.8, 0, 0}}, {0.0}, q);
  expectIdentity(q);
  // Two equally weighted rotations a half-turn apart (±90° about z): the tie goes to w.
  const double h = std::sqrt(0.5);
  m.quaMean({{h, 0, 0, h}, {h, 0, 0, -h}}, {1.0, 1.0}, q);
  expectIdentity(q);
  // A rotation and its negative are one rotation; the sign rule makes w positive.
  m.quaMean({{-0.6, 0, -0.8, 0}, {0.6, 0, 0.8, 0}}, {1.0, 2.0}, q);
  EXPECT_NEAR(q.w, 0.6, 2 * kEps);
  EXPECT_NEAR(q.y, 0.8, 2 * kEps);
  zrtest::expectOutOfRange([&] { m.quaMean({{1, 0, 0, 0}}, {}, q); });
}

}  // namespace
