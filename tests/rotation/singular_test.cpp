// Every rotation conversion against Eigen (quaternions, angle-axis, products of elementary
// rotations) on random rotations and on the hard cases: angle 0, half-turns, gimbal lock and their
// neighbourhoods; and the exact decisions at the singular points themselves.

#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "support.h"
#include "zr/mathCommon.h"

namespace {

using Eigen::AngleAxisd;
using Eigen::Matrix3d;
using Eigen::Quaterniond;
using Eigen::Vector3d;
using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

constexpr double kPi = 3.141592653589793;
const ZR::ChannelOrderEuler kOrders[] = {ZR::XYZ, ZR::XZY, ZR::YXZ, ZR::YZX, ZR::ZXY, ZR::ZYX};
constexpr int kLetters[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

// A double[3][3] as Eigen sees it.
using RowMajor = Eigen::Matrix<double, 3, 3, Eigen::RowMajor>;
Eigen::Map<RowMajor> eig(double (*m)[3]) { return Eigen::Map<RowMajor>(&m[0][0]); }

// The hard distances 0, 1e-300 and 10⁻ᵏ (k = 1 … 16): rotation angles, and the same taken from π
// (half-turns); offsets of the middle Euler angle from ±90° (gimbal lock) on both sides.
std::vector<double> hardDistances() {
  std::vector<double> t = {0.0, 1e-300};
  for (int k = 1; k <= 16; ++k) t.push_back(std::pow(10.0, -k));
  return t;
}

// The rotation the triple a (radians, indexed by axis) describes in the order, column-vector layout.
Matrix3d eulerMatrix(const double* a, int order) {
  Matrix3d r = Matrix3d::Identity();
  for (const int axis : kLetters[order]) r = r * AngleAxisd(a[axis], Vector3d::Unit(axis)).toRotationMatrix();
  return r;
}

Matrix3d vectorMatrix(const double* v) {
  const Vector3d w(v[0], v[1], v[2]);
  const double n = w.stableNorm();
  return n == 0 ? Matrix3d::Identity() : AngleAxisd(n, w / n).toRotationMatrix();
}

// Every conversion rebuilds the rotation to 1e-9 (Frobenius norm) with no NaN: quaternion → matrix
// → quaternion, quaternion → matrix → rotation vector → matrix, Euler → quaternion → Euler, and each
// operation on its own from an oracle-made input (the degree forms scale these).
TEST(RotationSingular, EveryConversionRebuildsTheRotation) {
  mathCommon mc;
  zrtest::Random g(16);
  std::map<std::string, std::pair<double, int>> worst;  // largest error and NaN count per operation
  auto add = [&](const std::string& op, const Matrix3d& got, const Matrix3d& want) {
    const double e = (got - want).norm();
    auto& w = worst[op];
    if (std::isnan(e))
      ++w.second;
    else
      w.first = std::fmax(w.first, e);
  };
  std::vector<Vector3d> axes = {Vector3d::UnitX(),
                                Vector3d::UnitY(),
                                Vector3d::UnitZ(),
                                -Vector3d::UnitY(),
                                Vector3d(1, 1, 0).normalized(),
                                Vector3d(1, -1, 1).normalized()};
  while (axes.size() < 14) axes.push_back(Vector3d(g.in(-1, 1), g.in(-1, 1), g.in(-1, 1)).normalized());
  std::vector<Quaterniond> rotations;
  for (const double d : hardDistances())
    for (const Vector3d& axis : axes)
      rotations.insert(rotations.end(),
                       {Quaterniond(AngleAxisd(d, axis)), Quaterniond(AngleAxisd(kPi - d, axis))});
  while (rotations.size() < 2500) {  // uniform on the sphere: rejection from the ball
    const Eigen::Vector4d c(g.in(-1, 1), g.in(-1, 1), g.in(-1, 1), g.in(-1, 1));
    if (c.norm() > 0.1 && c.norm() < 1) rotations.emplace_back(c.normalized());
  }

  for (const Quaterniond& o : rotations) {
    const Matrix3d want = o.toRotationMatrix();
    const QuaD q{o.w(), o.x(), o.y(), o.z()};
    double row[3][3], col[3][3], v[3], back[3][3];
    QuaD p{};
    mc.qua2RMatrix(q, row);
    mc.rotation2Qua(p, row);
    add("qua2RMatrix -> rotation2Qua", Quaterniond(p.w, p.x, p.y, p.z).toRotationMatrix(), want);
    eig(col) = eig(row).transpose();
    mc.rotm2RodVector(col, v);
    mc.rodVector2Rotm(v, back);
    add("quaternion -> matrix -> vector -> matrix", eig(back), want);
    eig(col) = want;
    mc.rotm2RodVector(col, v);
    add("rotm2RodVector", vectorMatrix(v), want);
    const AngleAxisd aa(o);
    double w[3] = {aa.angle() * aa.axis()[0], aa.angle() * aa.axis()[1], aa.angle() * aa.axis()[2]};
    mc.rodVector2Rotm(w, back);
    add("rodVector2Rotm", eig(back), vectorMatrix(w));
    for (int k = 0; k < 6; ++k) {
      mc.qua2EulRadian(q, kOrders[k], v);
      add("qua2EulRadian", eulerMatrix(v, k), want);
    }
  }
  for (const double s : {0.0, 1e-170, 1e-160, 1e160, 1e200, 1e300}) {  // squares under- or overflow
    double w[3] = {s, -0.5 * s, 0.25 * s}, back[3][3];
    mc.rodVector2Rotm(w, back);
    add("rodVector2Rotm", eig(back), vectorMatrix(w));
  }

  for (int k = 0; k < 6; ++k) {
    std::vector<std::array<double, 3>> triples;
    for (const double d : hardDistances())
      for (const double middle : {kPi / 2 + d, kPi / 2 - d, -kPi / 2 + d, -kPi / 2 - d})
        for (int n = 0; n < 3; ++n) {
          std::array<double, 3> t = {g.in(-kPi, kPi), g.in(-kPi, kPi), g.in(-kPi, kPi)};
          t[static_cast<std::size_t>(kLetters[k][1])] = middle;
          triples.push_back(t);
        }
    for (int n = 0; n < 300; ++n) triples.push_back({g.in(-kPi, kPi), g.in(-kPi, kPi), g.in(-kPi, kPi)});
    for (std::array<double, 3>& t : triples) {
      const Matrix3d want = eulerMatrix(t.data(), k);
      double a[3], viaMatrix[3], row[3][3];
      QuaD q{};
      mc.euler2QuaRadian(t.data(), kOrders[k], q);
      mc.qua2EulRadian(q, kOrders[k], a);
      add("Euler -> quaternion -> Euler", eulerMatrix(a, k), want);
      mc.qua2RMatrix(q, row);
      mc.rotm2EulRadian(row, kOrders[k], viaMatrix);  // one table of formulas serves both paths
      for (int i = 0; i < 3; ++i) EXPECT_EQ(bits(viaMatrix[i]), bits(a[i])) << k;
      eig(row) = want.transpose();
      mc.rotm2EulRadian(row, kOrders[k], a);
      add("rotm2EulRadian", eulerMatrix(a, k), want);
    }
  }

  for (const auto& [op, e] : worst) {
    std::printf("largest rebuild error %-40s %.3g, NaN results %d\n", op.c_str(), e.first, e.second);
    EXPECT_LE(e.first, 1e-9) << op;
    EXPECT_EQ(e.second, 0) << op;
  }
}

TEST(RotationSingular, ExactResultsAtTheSingularPoints) {
  mathCommon mc;
  double zero[3] = {0.0, 0.0, 0.0}, m[3][3];
  mc.rodVector2Rotm(zero, m);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(bits(m[i][j]), bits(i == j ? 1.0 : 0.0));

  // Rotation vectors: the identity (also a hair past it by rounding) gives +0; a half-turn gives
  // +π along the axis of its largest diagonal element, also a hair past −1 by rounding; 1e-10 past
  // either is not a rotation: the plain formula's NaN.
  const double up = 1.0 + 0x1p-52, down = -1.0 - 0x1p-52, nan = std::nan("");
  const struct {
    double d[3];
    double v[3];
  } diagonals[] = {{{1, 1, 1}, {0, 0, 0}},
                   {{up, 1, 1}, {0, 0, 0}},
                   {{1, -1, -1}, {kPi, 0, 0}},
                   {{-1, 1, -1}, {0, kPi, 0}},
                   {{-1, -1, 1}, {0, 0, kPi}},
                   {{1, down, -1}, {kPi, 0, 0}},
                   {{1.0000000001, 1, 1}, {nan, nan, nan}},
                   {{1, -1.0000000001, -1}, {nan, nan, nan}}};
  for (const auto& c : diagonals) {
    double r[3][3] = {{c.d[0], 0, 0}, {0, c.d[1], 0}, {0, 0, c.d[2]}}, v[3];
    mc.rotm2RodVector(r, v);
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(std::isnan(c.v[i]) ? std::isnan(v[i]) : bits(v[i]) == bits(c.v[i]))
          << c.d[0] << c.d[1] << c.d[2];
  }
  // Half-turn about (1, 1, 0)/√2: equal diagonals, the first one's component is positive.
  double skew[3][3] = {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, v[3];
  mc.rotm2RodVector(skew, v);
  EXPECT_TRUE(v[0] > 0.0 && std::fabs(v[1] - v[0]) < 1e-15 && v[2] == 0.0);

  // Euler: the exact elementary quarter-turn about the middle axis gives (0, ±π/2, 0) (outer
  // angles ±0.0), also when rounding put the sine a hair past 1; past it by 1e-10 it is NaN. At
  // gimbal lock reached through a quaternion, the right factor's angle is exactly 0.
  for (int k = 0; k < 6; ++k) {
    const int i = kLetters[k][0], mid = kLetters[k][1], last = kLetters[k][2];
    for (const double side : {-1.0, 1.0}) {
      double t[3] = {0, 0, 0};
      t[mid] = side * (kPi / 2);
      double row[3][3], out[3];
      eig(row) = eulerMatrix(t, k).transpose().array().round();
      mc.rotm2EulRadian(row, kOrders[k], out);
      const double want[3] = {mid == 0 ? t[0] : 0.0, mid == 1 ? t[1] : 0.0, mid == 2 ? t[2] : 0.0};
      for (int n = 0; n < 3; ++n) EXPECT_EQ(out[n], want[n]) << k;  // outer angles ±0.0
      EXPECT_EQ(bits(out[mid]), bits(want[mid])) << k;
      double& s = row[last][i];  // the sine the table reads, up to sign
      s = s * (1.0 + 0x1p-52);
      mc.rotm2EulRadian(row, kOrders[k], out);
      for (int n = 0; n < 3; ++n) EXPECT_EQ(out[n], want[n]) << k;
      s = s * 1.0000000001;
      mc.rotm2EulRadian(row, kOrders[k], out);
      EXPECT_TRUE(std::isnan(out[mid])) << k;

      double u[3] = {0.3, 0.3, 0.3};
      u[mid] = side * (kPi / 2);
      QuaD q{};
      mc.euler2QuaRadian(u, kOrders[k], q);
      mc.qua2EulRadian(q, kOrders[k], out);
      EXPECT_EQ(bits(out[last]), bits(0.0)) << k;
      // The left angle carries the sum 0.6 or the difference 0 of the two outer angles.
      const bool cyclic = k == 0 || k == 3 || k == 4;
      EXPECT_NEAR(out[i], (side > 0) == cyclic ? 0.6 : 0.0, 1e-15) << k;
    }
  }
}

}  // namespace
