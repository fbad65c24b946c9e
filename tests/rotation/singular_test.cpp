// Rotation vectors and Euler read-back at and near their singular points (angle 0, half-turns,
// gimbal lock), against Eigen's quaternion and angle-axis forms as the independent oracle.

#include <gtest/gtest.h>

#include <Eigen/Geometry>
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
using ZR::ChannelOrderEuler;
using ZR::mathCommon;
using ZR::QuaD;
using zrtest::bits;

constexpr double kPi = 3.141592653589793;
const ChannelOrderEuler kOrders[] = {ZR::XYZ, ZR::XZY, ZR::YXZ, ZR::YZX, ZR::ZXY, ZR::ZYX};
constexpr int kLetters[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

// The hard cases, one row each: a rotation angle tried about every test axis, and a distance of
// the middle Euler angle from +90° and −90° tried on both sides. Rows k = 1 … 16 hold 10⁻ᵏ and
// π − 10⁻ᵏ.
struct HardCase {
  double angle, middleOffset;
};
std::vector<HardCase> hardCases() {
  std::vector<HardCase> t = {{0.0, 0.0}, {kPi, 0.0}, {1e-300, 1e-300}};
  for (int k = 1; k <= 16; ++k) {
    const double p = std::pow(10.0, -k);
    t.push_back({p, p});
    t.push_back({kPi - p, p});
  }
  return t;
}

std::vector<Vector3d> testAxes(zrtest::Random& g) {
  std::vector<Vector3d> axes = {Vector3d::UnitX(),
                                Vector3d::UnitY(),
                                Vector3d::UnitZ(),
                                -Vector3d::UnitY(),
                                Vector3d(1, 1, 0).normalized(),
                                Vector3d(1, -1, 1).normalized()};
  while (axes.size() < 14) {
    const Vector3d a(g.in(-1, 1), g.in(-1, 1), g.in(-1, 1));
    if (a.norm() > 0.1 && a.norm() < 1) axes.push_back(a.normalized());
  }
  return axes;
}

Quaterniond randomRotation(zrtest::Random& g) {
  Eigen::Vector4d c;
  do {
    c = Eigen::Vector4d(g.in(-1, 1), g.in(-1, 1), g.in(-1, 1), g.in(-1, 1));
  } while (c.norm() < 0.1 || c.norm() > 1);
  c.normalize();
  return Quaterniond(c[0], c[1], c[2], c[3]);
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

// Largest Frobenius distance and number of NaN results seen per operation.
struct Worst {
  std::map<std::string, std::pair<double, int>> by;
  void add(const std::string& op, const Matrix3d& got, const Matrix3d& want) {
    const double e = (got - want).norm();
    auto& w = by[op];
    if (std::isnan(e))
      ++w.second;
    else
      w.first = std::fmax(w.first, e);
  }
};

void toArray(const Matrix3d& a, double (*m)[3], bool transpose) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = transpose ? a(j, i) : a(i, j);
}

Matrix3d fromArray(const double (*m)[3]) {
  Matrix3d a;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) a(i, j) = m[i][j];
  return a;
}

// Every conversion rebuilds the rotation to 1e-9 (Frobenius norm), on random rotations and on the
// hard cases: quaternion → matrix → rotation vector → matrix, Euler → quaternion → Euler → matrix,
// quaternion → matrix → quaternion, and each operation on its own from an oracle-made input (the
// degree forms scale these). Eigen's products of elementary rotations define the Euler orders.
TEST(RotationSingular, EveryConversionRebuildsTheRotation) {
  mathCommon mc;
  zrtest::Random g(16);
  const std::vector<HardCase> hard = hardCases();
  const std::vector<Vector3d> axes = testAxes(g);
  Worst worst;

  std::vector<Quaterniond> rotations;
  for (const HardCase& h : hard)
    for (const Vector3d& axis : axes) rotations.emplace_back(AngleAxisd(h.angle, axis));
  for (int n = 0; n < 2000; ++n) rotations.push_back(randomRotation(g));

  for (const Quaterniond& o : rotations) {
    const Matrix3d want = o.toRotationMatrix();
    const QuaD q{o.w(), o.x(), o.y(), o.z()};
    double row[3][3], col[3][3], v[3], back[3][3];
    mc.qua2RMatrix(q, row);
    QuaD fromRow{};
    mc.rotation2Qua(fromRow, row);
    worst.add("qua2RMatrix -> rotation2Qua",
              Quaterniond(fromRow.w, fromRow.x, fromRow.y, fromRow.z).toRotationMatrix(), want);
    toArray(fromArray(row), col, true);
    mc.rotm2RodVector(col, v);
    mc.rodVector2Rotm(v, back);
    worst.add("quaternion -> matrix -> vector -> matrix", fromArray(back), want);

    toArray(want, col, false);
    mc.rotm2RodVector(col, v);
    worst.add("rotm2RodVector", vectorMatrix(v), want);
    const AngleAxisd aa(o);
    double w[3] = {aa.angle() * aa.axis()[0], aa.angle() * aa.axis()[1], aa.angle() * aa.axis()[2]};
    mc.rodVector2Rotm(w, back);
    worst.add("rodVector2Rotm", fromArray(back), vectorMatrix(w));

    for (int k = 0; k < 6; ++k) {
      double a[3];
      mc.qua2EulRadian(q, kOrders[k], a);
      worst.add("qua2EulRadian", eulerMatrix(a, k), want);
    }
  }
  // Rotation vectors whose squares underflow or overflow.
  for (const double s : {0.0, 1e-170, 1e-160, 1e160, 1e200, 1e300}) {
    double w[3] = {s, -0.5 * s, 0.25 * s}, back[3][3];
    mc.rodVector2Rotm(w, back);
    worst.add("rodVector2Rotm", fromArray(back), vectorMatrix(w));
  }

  for (int k = 0; k < 6; ++k) {
    const ChannelOrderEuler order = kOrders[k];
    const int mid = kLetters[k][1];
    std::vector<std::vector<double>> triples;
    for (const HardCase& h : hard)
      for (const double side : {-1.0, 1.0})
        for (const double off : {-h.middleOffset, h.middleOffset})
          for (int n = 0; n < 3; ++n) {
            std::vector<double> t = {g.in(-kPi, kPi), g.in(-kPi, kPi), g.in(-kPi, kPi)};
            t[static_cast<size_t>(mid)] = side * (kPi / 2) + off;
            triples.push_back(t);
          }
    for (int n = 0; n < 300; ++n) triples.push_back({g.in(-kPi, kPi), g.in(-kPi, kPi), g.in(-kPi, kPi)});

    for (std::vector<double>& t : triples) {
      const Matrix3d want = eulerMatrix(t.data(), k);
      double a[3], row[3][3];
      QuaD q{};
      mc.euler2QuaRadian(t.data(), order, q);
      mc.qua2EulRadian(q, order, a);
      worst.add("Euler -> quaternion -> Euler", eulerMatrix(a, k), want);
      double viaMatrix[3];
      mc.qua2RMatrix(q, row);
      mc.rotm2EulRadian(row, order, viaMatrix);
      for (int i = 0; i < 3; ++i) EXPECT_EQ(bits(viaMatrix[i]), bits(a[i])) << k;

      toArray(want, row, true);
      mc.rotm2EulRadian(row, order, a);
      worst.add("rotm2EulRadian", eulerMatrix(a, k), want);
    }
  }

  for (const auto& [op, e] : worst.by) {
    std::printf("largest rebuild error %-40s %.3g, NaN results %d\n", op.c_str(), e.first, e.second);
    EXPECT_LE(e.first, 1e-9) << op;
    EXPECT_EQ(e.second, 0) << op;
  }
}

// The decisions at the singular points themselves, exactly.
TEST(RotationSingular, ExactResultsAtTheSingularPoints) {
  mathCommon mc;
  double zero[3] = {0.0, 0.0, 0.0}, m[3][3];
  mc.rodVector2Rotm(zero, m);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(bits(m[i][j]), bits(i == j ? 1.0 : 0.0));

  // Rotation vectors: the identity (also a hair past it by rounding) gives +0; a half-turn gives
  // +π along the axis of its largest diagonal element, also a hair past −1 by rounding.
  const double up = 1.0 + 0x1p-52, down = -1.0 - 0x1p-52;
  const struct {
    double d[3];
    double v[3];
  } diagonals[] = {{{1, 1, 1}, {0, 0, 0}},     {{up, 1, 1}, {0, 0, 0}},    {{1, -1, -1}, {kPi, 0, 0}},
                   {{-1, 1, -1}, {0, kPi, 0}}, {{-1, -1, 1}, {0, 0, kPi}}, {{1, down, -1}, {kPi, 0, 0}}};
  for (const auto& c : diagonals) {
    double r[3][3] = {{c.d[0], 0, 0}, {0, c.d[1], 0}, {0, 0, c.d[2]}}, v[3];
    mc.rotm2RodVector(r, v);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bits(v[i]), bits(c.v[i])) << c.d[0] << c.d[1] << c.d[2];
  }
  // Half-turn about (1, 1, 0)/√2: equal diagonals, the first one's component is positive.
  double skew[3][3] = {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, v[3];
  mc.rotm2RodVector(skew, v);
  EXPECT_GT(v[0], 0.0);
  EXPECT_NEAR(v[1], v[0], 1e-15);
  EXPECT_EQ(v[2], 0.0);
  // Not rotations: the plain formula's NaN.
  for (const double bad : {1.0000000001, -1.0000000001}) {
    double r[3][3] = {{bad, 0, 0}, {0, bad > 0 ? 1.0 : -1.0, 0}, {0, 0, bad > 0 ? 1.0 : -1.0}};
    if (bad < 0) r[0][0] = 1.0, r[1][1] = bad;
    mc.rotm2RodVector(r, v);
    EXPECT_TRUE(std::isnan(v[0]) && std::isnan(v[1]) && std::isnan(v[2])) << bad;
  }

  // Euler: the exact elementary quarter-turn about the middle axis gives (0, ±π/2, 0) (outer
  // angles ±0.0), also when rounding put the sine a hair past 1; past it by 1e-10 it is NaN. At
  // gimbal lock reached through a quaternion, the right factor's angle is exactly 0.
  for (int k = 0; k < 6; ++k) {
    const int i = kLetters[k][0], mid = kLetters[k][1], last = kLetters[k][2];
    for (const double side : {-1.0, 1.0}) {
      double t[3] = {0, 0, 0};
      t[mid] = side * (kPi / 2);
      Matrix3d a = eulerMatrix(t, k);
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) a(r, c) = std::round(a(r, c));
      double row[3][3], out[3];
      toArray(a, row, true);
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
