// zr.mathCommon: 3-D vectors, quaternions, rotation matrices, Euler angles, rotation vectors.
//
// Every operation on points, quaternions and matrices takes either one value of its shape,
// (3,) / (4,) / (3, 3), or a stack (N, 3) / (N, 4) / (N, 3, 3); stacks of one call share N and
// single values apply to every row. Each row gives exactly the bits of the single call; stacked
// calls loop in C++ with the GIL released.

#include <zr/mathCommon.h>

#include "convert.h"
#include "module.h"

namespace zrpy {
namespace {

ZR::Point3D p3(const double* d) { return {d[0], d[1], d[2]}; }

void put3(double* d, const ZR::Point3D& v) {
  d[0] = v.x;
  d[1] = v.y;
  d[2] = v.z;
}

// A scalar function of two 3-vectors, stacked.
template <class F>
py::object scalarOf2(const char* fn, py::handle a, py::handle b, F f) {
  Stack s(fn);
  const auto A = s.add(a, "a", {3});
  const auto B = s.add(b, "b", {3});
  auto out = s.output<double>({});
  double* o = out.mutable_data();
  s.run([&](py::ssize_t i) { o[i] = f(ZR::mathCommon(), p3(A.data + i * A.step), p3(B.data + i * B.step)); });
  return s.scalar(out);
}

// A scalar function of one 3-vector, stacked.
template <class F>
py::object scalarOf1(const char* fn, py::handle v, F f) {
  Stack s(fn);
  const auto V = s.add(v, "v", {3});
  auto out = s.output<double>({});
  double* o = out.mutable_data();
  s.run([&](py::ssize_t i) { o[i] = f(ZR::mathCommon(), p3(V.data + i * V.step)); });
  return s.scalar(out);
}

void bindVectors(py::module_& m) {
  m.def(
      "eucDistancePoint22",
      [](ArrayLike a, ArrayLike b) {
        Stack s("eucDistancePoint22");
        const auto A = s.add(a, "a", {2});
        const auto B = s.add(b, "b", {2});
        auto out = s.output<double>({});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          const double* x = A.data + i * A.step;
          const double* y = B.data + i * B.step;
          o[i] = ZR::mathCommon().eucDistancePoint22({static_cast<float>(x[0]), static_cast<float>(x[1])},
                                                     {static_cast<float>(y[0]), static_cast<float>(y[1])});
        });
        return s.scalar(out);
      },
      py::arg("a"), py::arg("b"),
      "Distance of the plane points a and b, shape (2,) or (N, 2), formed in single precision.\n\n"
      "The coordinates are rounded to float32 first (the C++ Point2F holds floats); the result is "
      "a float holding a float32 value (an (N,) float64 array for stacks).");

  m.def(
      "eucDistancePoint33",
      [](ArrayLike a, ArrayLike b) {
        return scalarOf2("eucDistancePoint33", a, b, [](ZR::mathCommon c, ZR::Point3D x, ZR::Point3D y) {
          return c.eucDistancePoint33(x, y);
        });
      },
      py::arg("a"), py::arg("b"),
      "Distance of the points a and b, shape (3,) or (N, 3): "
      "sqrt(((ax-bx)^2 + (ay-by)^2) + (az-bz)^2). Returns a float, or (N,) for stacks.");

  m.def(
      "vector3Norm",
      [](ArrayLike v) {
        return scalarOf1("vector3Norm", v, [](ZR::mathCommon c, ZR::Point3D x) { return c.vector3Norm(x); });
      },
      py::arg("v"), "Length of v, shape (3,) or (N, 3). Returns a float, or (N,) for stacks.");

  m.def(
      "vectorNorm1",
      [](ArrayLike v) {
        return ZR::mathCommon().vectorNorm1(vectorF64(v, {"vectorNorm1", "v"}));
      },
      py::arg("v"),
      "Sum of |v[i]| of the 1-D array v (any length), each element first rounded to float32 "
      "(so it may overflow to inf), accumulated in float64 from index 0. 0.0 for an empty v.");

  m.def(
      "vector3NormSquare",
      [](ArrayLike v) {
        return scalarOf1("vector3NormSquare", v,
                         [](ZR::mathCommon c, ZR::Point3D x) { return c.vector3NormSquare(x); });
      },
      py::arg("v"),
      "Squared length (v.y^2 + v.x^2) + v.z^2 of v, shape (3,) or (N, 3). Returns a float, or "
      "(N,) for stacks.");

  m.def(
      "vectorUnitize",
      [](ArrayLike v) {
        Stack s("vectorUnitize");
        const auto V = s.add(v, "v", {3});
        auto out = s.output<double>({3});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          ZR::Point3D r{};
          ZR::mathCommon().vectorUnitize(p3(V.data + i * V.step), r);
          put3(o + 3 * i, r);
        });
        return out;
      },
      py::arg("v"),
      "v / |v| for v of shape (3,) or (N, 3); the zero vector gives (0, 0, 0). Returns an array "
      "of v's shape.");

  m.def(
      "vector3AngleRadian",
      [](ArrayLike a, ArrayLike b) {
        return scalarOf2("vector3AngleRadian", a, b, [](ZR::mathCommon c, ZR::Point3D x, ZR::Point3D y) {
          return c.vector3AngleRadian(x, y);
        });
      },
      py::arg("a"), py::arg("b"),
      "Angle between a and b (shape (3,) or (N, 3)) in radians, in [0, pi]; the cosine is "
      "clamped to [-1, 1] first, a zero vector gives nan. Returns a float, or (N,) for stacks.");

  m.def(
      "vector3AngleDegree",
      [](ArrayLike a, ArrayLike b) {
        return scalarOf2("vector3AngleDegree", a, b, [](ZR::mathCommon c, ZR::Point3D x, ZR::Point3D y) {
          return c.vector3AngleDegree(x, y);
        });
      },
      py::arg("a"), py::arg("b"),
      "Angle between a and b (shape (3,) or (N, 3)) in degrees, acos(c)*180/pi with the clamped "
      "cosine c. Returns a float, or (N,) for stacks.");

  m.def(
      "cos3Vector",
      [](ArrayLike a, ArrayLike b) {
        return scalarOf2("cos3Vector", a, b,
                         [](ZR::mathCommon c, ZR::Point3D x, ZR::Point3D y) { return c.cos3Vector(x, y); });
      },
      py::arg("a"), py::arg("b"),
      "Cosine (a.b)/(|b|*|a|) of the angle between a and b (shape (3,) or (N, 3)), not clamped; "
      "0.0 if either is zero. Returns a float, or (N,) for stacks.");

  m.def(
      "dotProduct3",
      [](ArrayLike a, ArrayLike b) {
        return scalarOf2("dotProduct3", a, b,
                         [](ZR::mathCommon c, ZR::Point3D x, ZR::Point3D y) { return c.dotProduct3(x, y); });
      },
      py::arg("a"), py::arg("b"),
      "Dot product (a.y*b.y + a.x*b.x) + a.z*b.z of a and b, shape (3,) or (N, 3). Returns a "
      "float, or (N,) for stacks.");

  m.def(
      "crossVector3",
      [](ArrayLike a, ArrayLike b) {
        Stack s("crossVector3");
        const auto A = s.add(a, "a", {3});
        const auto B = s.add(b, "b", {3});
        auto out = s.output<double>({3});
        double* o = out.mutable_data();
        s.run([&](py::ssize_t i) {
          ZR::Point3D r{};
          ZR::mathCommon().crossVector3(p3(A.data + i * A.step), p3(B.data + i * B.step), r);
          put3(o + 3 * i, r);
        });
        return out;
      },
      py::arg("a"), py::arg("b"),
      "Cross product a x b of a and b, shape (3,) or (N, 3). Returns (3,) or (N, 3).");
}

}  // namespace

void bindMathCommon(py::module_& m) {
  py::module_ mc = submodule(m, "mathCommon",
                             "3-D vectors, quaternions (w, x, y, z), rotation matrices, Euler "
                             "angles and rotation vectors. Every point/quaternion/matrix input "
                             "also takes a stack (N, 3) / (N, 4) / (N, 3, 3); stacked calls loop "
                             "in C++ with the GIL released and give each row the bits of the "
                             "single call.");
  mc.attr("ChannelOrderEuler") = channelOrderEuler();
  bindVectors(mc);
  bindMathCommonRotations(mc);
}

}  // namespace zrpy
