// zr.mathCommon, rotations: quaternions, rotation matrices, angle-axis, Euler angles and
// rotation vectors. Single values or stacks, as described in bind_mathCommon.cpp.

#include <zr/mathCommon.h>

#include <cmath>
#include <limits>

#include "convert.h"
#include "module.h"

namespace zrpy {
namespace {

ZR::QuaD q4(const double* d) { return {d[0], d[1], d[2], d[3]}; }

void put4(double* d, const ZR::QuaD& q) {
  d[0] = q.w;
  d[1] = q.x;
  d[2] = q.y;
  d[3] = q.z;
}

// A caller-owned 3x3 matrix, filled from nine row-major values.
struct Mat {
  double m[3][3];
  explicit Mat(const double* d) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) m[i][j] = d[3 * i + j];
  }
  Mat() : m{} {}
  void store(double* d) const {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) d[3 * i + j] = m[i][j];
  }
};

ZR::ChannelOrderEuler toOrder(std::int32_t order) { return static_cast<ZR::ChannelOrderEuler>(order); }

// A quaternion function of one quaternion, stacked.
template <class F>
py::array_t<double> quaOfQua(const char* fn, ArrayLike q, F f) {
  Stack s(fn);
  const auto Q = s.add(q, "q", {4});
  auto out = s.output<double>({4});
  double* o = out.mutable_data();
  s.run([&](py::ssize_t i) {
    ZR::QuaD r{};
    f(ZR::mathCommon(), q4(Q.data + i * Q.step), r);
    put4(o + 4 * i, r);
  });
  return out;
}

constexpr const char* kQuaDoc = " q is (w, x, y, z), scalar first, shape (4,) or (N, 4).";

void bindQuaternions(py::module_& m) {
  m.def(
      "quaConju",
      [](ArrayLike q) {
        return quaOfQua("quaConju", q, [](ZR::mathCommon c, ZR::QuaD a, ZR::QuaD& r) { c.quaConju(a, r); });
      },
      py::arg("q"),
      "Conjugate (w, -x, -y, -z) of q, shape (4,) or (N, 4); a zero component becomes -0.0. "
      "Same operation as quaConjugate.");
  m.def(
      "quaConjugate",
      [](ArrayLike q) {
        return quaOfQua("quaConjugate", q,
                        [](ZR::mathCommon c, ZR::QuaD a, ZR::QuaD& r) { c.quaConjugate(a, r); });
      },
      py::arg("q"), "Conjugate (w, -x, -y, -z) of q, shape (4,) or (N, 4); the same operation as quaConju.");
  m.def(
      "quaIdentity",
      [](ArrayLike q) {
        return quaOfQua("quaIdentity", q,
                        [](ZR::mathCommon c, ZR::QuaD a, ZR::QuaD& r) { c.quaIdentity(a, r); });
      },
      py::arg("q"),
      "q normalised to unit length, shape (4,) or (N, 4); the zero quaternion gives "
      "(1, 0, 0, 0).");
  m.def(
      "quaInv",
      [](ArrayLike q) {
        return quaOfQua("quaInv", q, [](ZR::mathCommon c, ZR::QuaD a, ZR::QuaD& r) { c.quaInv(a, r); });
      },
      py::arg("q"),
      "Inverse rotation of q (shape (4,) or (N, 4)): the conjugate divided by |q| (not |q|^2), "
      "so (2, 0, 0, 0) gives (1, -0, -0, -0); the zero quaternion gives nan.");
  m.def(
      "quaMulti",
      [](ArrayLike a, ArrayLike b) {
        Stack s("quaMulti");
        const auto A = s.add(a, "a", {4});
        const auto B = s.add(b, "b", {4});
        auto out = s.output<double>({4});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          ZR::QuaD r{};
          ZR::mathCommon().quaMulti(q4(A.data + i * A.step), q4(B.data + i * B.step), r);
          put4(o + 4 * i, r);
        });
        return out;
      },
      py::arg("a"), py::arg("b"),
      "Hamilton product a*b (a on the left, not normalised) of quaternions (w, x, y, z), shape "
      "(4,) or (N, 4). The rotation b is applied first, then a.");
  m.def(
      "qua2RMatrix",
      [](ArrayLike q) {
        Stack s("qua2RMatrix");
        const auto Q = s.add(q, "q", {4});
        auto out = s.output<double>({3, 3});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          Mat r;
          ZR::mathCommon().qua2RMatrix(q4(Q.data + i * Q.step), r.m);
          r.store(o + 9 * i);
        });
        return out;
      },
      py::arg("q"),
      "Rotation matrix of q (normalised first; zero gives the identity) in the ROW-vector "
      "layout: the transpose of scipy's Rotation.as_matrix(). q shape (4,) or (N, 4); returns "
      "(3, 3) or (N, 3, 3).");
  m.def(
      "rotation2Qua",
      [](ArrayLike mat) {
        Stack s("rotation2Qua");
        const auto M = s.add(mat, "m", {3, 3});
        auto out = s.output<double>({4});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          Mat a(M.data + i * M.step);
          ZR::QuaD r{};
          ZR::mathCommon().rotation2Qua(r, a.m);
          put4(o + 4 * i, r);
        });
        return out;
      },
      py::arg("m"),
      "Unit quaternion (w, x, y, z) of the rotation matrix m in the ROW-vector layout that "
      "qua2RMatrix writes (scipy's as_matrix() transposed), shape (3, 3) or (N, 3, 3); returns "
      "(4,) or (N, 4). Sign: w > 0 when 1 + trace > 1e-8, else the component of the largest "
      "diagonal entry is positive.");
  m.def(
      "quaMat2AngleAxis",
      [](ArrayLike mat) {
        Stack s("quaMat2AngleAxis");
        const auto M = s.add(mat, "m", {3, 3});
        auto angle = s.output<double>({});
        auto axis = s.output<double>({3});
        double* oa = angle.mutable_data();
        double* ox = axis.mutable_data();
        s.run([&](py::ssize_t i) {
          Mat a(M.data + i * M.step);
          double t = 0.0;
          double v[3] = {0.0, 0.0, 0.0};
          ZR::mathCommon().quaMat2AngleAxis(a.m, t, v);
          oa[i] = t;
          for (int k = 0; k < 3; ++k) ox[3 * i + k] = v[k];
        });
        return py::make_tuple(s.scalar(angle), axis);
      },
      py::arg("m"),
      "Angle (radians) and axis of the COLUMN-vector-layout matrix m (scipy's as_matrix "
      "layout), shape (3, 3) or (N, 3, 3). Returns (angle, axis): a float and (3,), or (N,) and "
      "(N, 3). The axis is (0, 0, 0) for a zero angle; the trace is not clamped.");
  m.def(
      "qua2AngleAxis",
      [](ArrayLike q) {
        Stack s("qua2AngleAxis");
        const auto Q = s.add(q, "q", {4});
        auto angle = s.output<double>({});
        auto axis = s.output<double>({3});
        double* oa = angle.mutable_data();
        double* ox = axis.mutable_data();
        s.run([&](py::ssize_t i) {
          double t = 0.0;
          double v[3] = {0.0, 0.0, 0.0};
          ZR::mathCommon().qua2AngleAxis(q4(Q.data + i * Q.step), t, v);
          oa[i] = t;
          for (int k = 0; k < 3; ++k) ox[3 * i + k] = v[k];
        });
        return py::make_tuple(s.scalar(angle), axis);
      },
      py::arg("q"),
      "Angle 2*acos(w) (radians) and axis of q (not normalised), shape (4,) or (N, 4). Returns "
      "(angle, axis): a float and (3,), or (N,) and (N, 3). |w| > 1 gives nan.");
  m.def(
      "theatAngle2Qua",
      [](ArrayLike theta, ArrayLike axis) {
        Stack s("theatAngle2Qua");
        const auto T = s.add(theta, "theta", {});
        const auto X = s.add(axis, "axis", {3});
        auto out = s.output<double>({4});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          const double* x = X.data + i * X.step;
          double v[3] = {x[0], x[1], x[2]};
          ZR::QuaD r{};
          ZR::mathCommon().theatAngle2Qua(T.data[i * T.step], v, r);
          put4(o + 4 * i, r);
        });
        return out;
      },
      py::arg("theta"), py::arg("axis"),
      "Quaternion (cos(theta/2), axis*sin(theta/2)) of the rotation by theta (radians, a float "
      "or (N,)) about axis ((3,) or (N, 3), used as given, not normalised). Returns (4,) or "
      "(N, 4).");
}

// Euler triple -> quaternion, stacked.
template <class F>
py::array_t<double> eulerToQua(const char* fn, ArrayLike angles, F f) {
  Stack s(fn);
  const auto A = s.add(angles, "angles", {3});
  auto out = s.output<double>({4});
  double* o = out.mutable_data();
  s.run([&](py::ssize_t i) {
    const double* a = A.data + i * A.step;
    double v[3] = {a[0], a[1], a[2]};
    ZR::QuaD r{};
    f(ZR::mathCommon(), v, r);
    put4(o + 4 * i, r);
  });
  return out;
}

// For an order outside 0..5 the library writes no angles; the result then holds the NaNs it
// started with (the degree variants convert those, which leaves them NaN).
template <class F>
py::array_t<double> toEuler(Stack& s, F f) {
  auto out = s.output<double>({3});
  double* o = out.mutable_data();
  s.run([&](py::ssize_t i) {
    double v[3] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::quiet_NaN()};
    f(i, v);
    for (int k = 0; k < 3; ++k) o[3 * i + k] = v[k];
  });
  return out;
}

void bindEuler(py::module_& m) {
  const char* orderNote =
      " order is a ChannelOrderEuler (or any int32). angles[0] is about x, angles[1] about y, "
      "angles[2] about z whatever the order.";
  m.def(
      "euler2QuaDegree",
      [](ArrayLike angles, std::int32_t order) {
        return eulerToQua("euler2QuaDegree", angles, [order](ZR::mathCommon c, double* a, ZR::QuaD& r) {
          c.euler2QuaDegree(a, toOrder(order), r);
        });
      },
      py::arg("angles"), py::arg("order"),
      (std::string("Unit quaternion (w, x, y, z) of the Euler triple angles in degrees, shape "
                   "(3,) or (N, 3); returns (4,) or (N, 4). An order outside 0..5 gives "
                   "(1, 0, 0, 0).") +
       orderNote)
          .c_str());
  m.def(
      "euler2QuaRadian",
      [](ArrayLike angles, std::int32_t order) {
        return eulerToQua("euler2QuaRadian", angles, [order](ZR::mathCommon c, double* a, ZR::QuaD& r) {
          c.euler2QuaRadian(a, toOrder(order), r);
        });
      },
      py::arg("angles"), py::arg("order"),
      (std::string("Unit quaternion (w, x, y, z) of the Euler triple angles in radians, shape "
                   "(3,) or (N, 3); returns (4,) or (N, 4). An order outside 0..5 gives "
                   "(1, 0, 0, 0).") +
       orderNote)
          .c_str());

  const char* quaNote =
      " q is (w, x, y, z), shape (4,) or (N, 4), normalised first; returns (3,) or (N, 3). For "
      "an order outside 0..5 no angles are computed and the result is nan.";
  m.def(
      "qua2EulDegree",
      [](ArrayLike q, std::int32_t order) {
        Stack s("qua2EulDegree");
        const auto Q = s.add(q, "q", {4});
        return toEuler(s, [&](py::ssize_t i, double* v) {
          ZR::mathCommon().qua2EulDegree(q4(Q.data + i * Q.step), toOrder(order), v);
        });
      },
      py::arg("q"), py::arg("order"),
      (std::string("Euler triple in degrees of the quaternion q.") + quaNote + orderNote).c_str());
  m.def(
      "qua2EulRadian",
      [](ArrayLike q, std::int32_t order) {
        Stack s("qua2EulRadian");
        const auto Q = s.add(q, "q", {4});
        return toEuler(s, [&](py::ssize_t i, double* v) {
          ZR::mathCommon().qua2EulRadian(q4(Q.data + i * Q.step), toOrder(order), v);
        });
      },
      py::arg("q"), py::arg("order"),
      (std::string("Euler triple in radians of the quaternion q.") + quaNote + orderNote).c_str());

  const char* matNote =
      " m is in the ROW-vector layout that qua2RMatrix writes (the transpose of scipy's "
      "as_matrix()), shape (3, 3) or (N, 3, 3); returns (3,) or (N, 3). The asin argument is not "
      "clamped. For an order outside 0..5 no angles are computed and the result is nan.";
  m.def(
      "rotm2EulDegree",
      [](ArrayLike mat, std::int32_t order) {
        Stack s("rotm2EulDegree");
        const auto M = s.add(mat, "m", {3, 3});
        return toEuler(s, [&](py::ssize_t i, double* v) {
          Mat a(M.data + i * M.step);
          ZR::mathCommon().rotm2EulDegree(a.m, toOrder(order), v);
        });
      },
      py::arg("m"), py::arg("order"),
      (std::string("Euler triple in degrees of the rotation matrix m.") + matNote + orderNote).c_str());
  m.def(
      "rotm2EulRadian",
      [](ArrayLike mat, std::int32_t order) {
        Stack s("rotm2EulRadian");
        const auto M = s.add(mat, "m", {3, 3});
        return toEuler(s, [&](py::ssize_t i, double* v) {
          Mat a(M.data + i * M.step);
          ZR::mathCommon().rotm2EulRadian(a.m, toOrder(order), v);
        });
      },
      py::arg("m"), py::arg("order"),
      (std::string("Euler triple in radians of the rotation matrix m.") + matNote + orderNote).c_str());
}

void bindRodrigues(py::module_& m) {
  m.def(
      "rotm2RodVector",
      [](ArrayLike mat) {
        Stack s("rotm2RodVector");
        const auto M = s.add(mat, "m", {3, 3});
        auto out = s.output<double>({3});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          Mat a(M.data + i * M.step);
          double v[3] = {0.0, 0.0, 0.0};
          ZR::mathCommon().rotm2RodVector(a.m, v);
          for (int k = 0; k < 3; ++k) o[3 * i + k] = v[k];
        });
        return out;
      },
      py::arg("m"),
      "Rotation (Rodrigues) vector, axis times angle in radians, of the COLUMN-vector-layout "
      "matrix m (scipy's as_matrix layout), shape (3, 3) or (N, 3, 3); returns (3,) or (N, 3). "
      "The identity gives nan (no special case for angle 0).");
  m.def(
      "rodVector2Rotm",
      [](ArrayLike v) {
        Stack s("rodVector2Rotm");
        const auto V = s.add(v, "v", {3});
        auto out = s.output<double>({3, 3});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          const double* x = V.data + i * V.step;
          double a[3] = {x[0], x[1], x[2]};
          Mat r;
          ZR::mathCommon().rodVector2Rotm(a, r.m);
          r.store(o + 9 * i);
        });
        return out;
      },
      py::arg("v"),
      "COLUMN-vector-layout rotation matrix (scipy's as_matrix layout) of the rotation vector v "
      "(axis times angle in radians), shape (3,) or (N, 3); returns (3, 3) or (N, 3, 3). The "
      "zero vector gives nan.");
}

}  // namespace

void bindMathCommonRotations(py::module_& m) {
  bindQuaternions(m);
  bindEuler(m);
  bindRodrigues(m);
}

}  // namespace zrpy
