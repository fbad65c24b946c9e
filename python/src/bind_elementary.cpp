// zr.foundationMath, zr.TrigonometricFunctionMath, zr.geometryMath, zr.caculusMath and
// zr.convolutionMath. The trigonometric functions apply elementwise to arrays (numpy ufunc style).

#include <pybind11/numpy.h>
#include <zr/TrigonometricFunctionMath.h>
#include <zr/caculusMath.h>
#include <zr/convolutionMath.h>
#include <zr/foundationMath.h>
#include <zr/geometryMath.h>

#include "convert.h"
#include "module.h"

namespace zrpy {
namespace {

using Trig = double (ZR::TrigonometricFunctionMath::*)(double);

struct TrigEntry {
  const char* name;
  Trig op;
  const char* doc;
};

void bindTrigonometric(py::module_& m) {
  py::module_ t =
      submodule(m, "TrigonometricFunctionMath",
                "Sine, cosine and arcsine from fixed truncated power series (no range reduction: "
                "accurate near 0, meaningless beyond |x| ~ 25), the functions built on them, and the "
                "inverse hyperbolic functions from their logarithms. Each takes a float or an array "
                "and applies elementwise; the d variants take degrees.");
  using T = ZR::TrigonometricFunctionMath;
  const TrigEntry entries[] = {
      {"sin", &T::sin, "Sine series, 29 terms (odd powers 1 to 57), radians."},
      {"cos", &T::cos, "Cosine series, 29 terms plus the constant 1.0 added last, radians."},
      {"sind", &T::sind, "sin of x degrees (x * 0.017453292519943295), the same bits as sin."},
      {"cosd", &T::cosd, "cos of x degrees (x * 0.017453292519943295), the same bits as cos."},
      {"tan", &T::tan, "sin(x) / cos(x) of the series, radians."},
      {"tand", &T::tand, "sind(x) / cosd(x), degrees."},
      {"sec", &T::sec, "1.0 / cos(x) of the series, radians."},
      {"secd", &T::secd, "1.0 / cosd(x), degrees."},
      {"csc", &T::csc, "1.0 / sin(x) of the series, radians."},
      {"cscd", &T::cscd, "1.0 / sind(x), degrees."},
      {"cot", &T::cot, "cos(x) / sin(x) of the series, radians."},
      {"cotd", &T::cotd, "cosd(x) / sind(x), degrees."},
      {"asin", &T::asin, "Arcsine series, 100 terms, no domain check (diverges beyond |x| = 1)."},
      {"asind", &T::asind, "Arcsine in degrees from the C runtime's asin; NaN outside [-1, 1]."},
      {"asinh", &T::asinh, "log(sqrt(x*x + 1) + x)."},
      {"acosh", &T::acosh, "log(sqrt(x*x - 1) + x); NaN below 1."},
      {"atanh", &T::atanh, "0.5 * log((x + 1) / (1 - x))."},
      {"asech", &T::asech, "log((sqrt(1 - x*x) + 1) / x)."},
      {"acsch", &T::acsch, "log(sqrt(x*x + 1) / |x| + 1 / x)."},
      {"acoth", &T::acoth, "0.5 * log((x + 1) / (x - 1))."},
      {"sinh", &T::sinh, "Hyperbolic sine (the C runtime's sinh)."},
      {"cosh", &T::cosh, "Hyperbolic cosine (the C runtime's cosh)."},
      {"tanh", &T::tanh, "Hyperbolic tangent (the C runtime's tanh)."},
      {"coth", &T::coth, "Hyperbolic cotangent, 1.0 / tanh(x)."},
      {"sech", &T::sech, "Hyperbolic secant, 1.0 / cosh(x)."},
      {"csch", &T::csch, "Hyperbolic cosecant, 1.0 / sinh(x)."},
  };
  for (const TrigEntry& e : entries) {
    const Trig op = e.op;
    t.def(e.name, py::vectorize([op](double x) { return (T().*op)(x); }), py::arg("x"), e.doc);
  }
}

}  // namespace

void bindElementary(py::module_& m) {
  py::module_ f =
      submodule(m, "foundationMath",
                "Angle units, polar coordinates (x the angle, y the radius) and 32-bit integer helpers "
                "(truncating, products wrapping modulo 2^32; no argument traps).");
  f.def(
      "rad2deg", [](double r) { return ZR::foundationMath().rad2deg(r); }, py::arg("r"),
      "Radians to degrees: r * 57.29577951308232.");
  f.def(
      "deg2rad", [](double d) { return ZR::foundationMath().deg2rad(d); }, py::arg("d"),
      "Degrees to radians: d * 0.017453292519943295.");
  f.def(
      "cart2pol",
      [](ArrayLike p) {
        ZR::Point2D out{};
        ZR::foundationMath().cart2pol(point2D(p, {"cart2pol", "p"}), out);
        return fromPoint(out);
      },
      py::arg("p"), "(x, y) to (angle, radius): (atan2(y, x), sqrt(y^2 + x^2)).");
  f.def(
      "pol2cart",
      [](ArrayLike polar) {
        ZR::Point2D out{};
        ZR::foundationMath().pol2cart(point2D(polar, {"pol2cart", "polar"}), out);
        return fromPoint(out);
      },
      py::arg("polar"), "(angle, radius) to (r cos angle, r sin angle).");
  f.def(
      "angle", [](double a, double b) { return ZR::foundationMath().angle(a, b); }, py::arg("a"),
      py::arg("b"), "atan(b / a) in [-pi/2, pi/2] (the quadrant is not resolved).");
  f.def(
      "rem", [](int a, int b) { return ZR::foundationMath().rem(a, b); }, py::arg("a"), py::arg("b"),
      "Truncating remainder with the sign of a (C's %, not Python's); rem(a, 0) = a.");
  f.def(
      "factor", [](int n) { return fromVector(ZR::foundationMath().factor(n)); }, py::arg("n"),
      "Prime factors of n ascending with multiplicity (int32 array); empty for n < 2.");
  f.def(
      "factorial", [](int n) { return ZR::foundationMath().factorial(n); }, py::arg("n"),
      "n! as a float (ascending product); 1.0 for n < 1, inf from 171 on.");
  f.def(
      "gcd", [](int a, int b) { return ZR::foundationMath().gcd(a, b); }, py::arg("a"), py::arg("b"),
      "Euclid on truncating remainders (may be negative: gcd(4, -6) = -2); gcd(a, 0) = a.");
  f.def(
      "lcm", [](int a, int b) { return ZR::foundationMath().lcm(a, b); }, py::arg("a"), py::arg("b"),
      "a*b (wrapped to 32 bits) divided by the gcd; lcm(a, 0) = 0.");

  bindTrigonometric(m);

  py::module_ g = submodule(m, "geometryMath", "Centres of a plane triangle given by three (2,) vertices.");
  g.def(
      "circumCenter",
      [](ArrayLike A, ArrayLike B, ArrayLike C) {
        ZR::Point2D out{};
        ZR::geometryMath().circumCenter(point2D(A, {"circumCenter", "A"}), point2D(B, {"circumCenter", "B"}),
                                        point2D(C, {"circumCenter", "C"}), out);
        return fromPoint(out);
      },
      py::arg("A"), py::arg("B"), py::arg("C"),
      "Centre of the circle through A, B, C as a (2,) array (NaN/inf for collinear points).");
  g.def(
      "inCenter",
      [](ArrayLike A, ArrayLike B, ArrayLike C) {
        ZR::Point2D out{};
        ZR::geometryMath().inCenter(point2D(A, {"inCenter", "A"}), point2D(B, {"inCenter", "B"}),
                                    point2D(C, {"inCenter", "C"}), out);
        return fromPoint(out);
      },
      py::arg("A"), py::arg("B"), py::arg("C"),
      "Centre of the inscribed circle: vertices weighted by the opposite side lengths, as a (2,) array.");

  py::module_ c =
      submodule(m, "caculusMath",
                "Polynomials as 1-D float64 coefficient arrays, highest power first (numpy.polyval order).");
  c.def(
      "polyint",
      [](ArrayLike p, ArrayLike interval) {
        return ZR::caculusMath().polyint(vectorF64(p, {"polyint", "p"}),
                                         vectorF64(interval, {"polyint", "interval"}));
      },
      py::arg("p"), py::arg("interval"),
      "Definite integral of p from interval[0] to interval[1]; IndexError for an interval shorter than 2.");
  c.def(
      "polyder",
      [](ArrayLike p) {
        return fromVector(ZR::caculusMath().polyder(vectorF64(p, {"polyder", "p"})));
      },
      py::arg("p"), "Coefficients of the derivative (numpy.polyder); ValueError for the empty polynomial.");

  py::module_ v = submodule(m, "convolutionMath", "Full discrete convolution of 1-D and 2-D float64 arrays.");
  v.def(
      "conv",
      [](ArrayLike u, ArrayLike w) {
        std::vector<double> out;
        ZR::convolutionMath().conv(vectorF64(u, {"conv", "u"}), vectorF64(w, {"conv", "v"}), out);
        return fromVector(out);
      },
      py::arg("u"), py::arg("v"),
      "Full convolution, length m + n - 1 (numpy.convolve, summed in ascending order over the shorter "
      "input); ValueError when both are empty.");
  v.def(
      "conv2",
      [](ArrayLike A, ArrayLike B) {
        std::vector<std::vector<double>> out;
        ZR::convolutionMath().conv2(rowsF64(A, {"conv2", "A"}), rowsF64(B, {"conv2", "B"}), out);
        return fromRows(out);
      },
      py::arg("A"), py::arg("B"),
      "Full 2-D convolution (scipy.signal.convolve2d mode='full'), each entry summed in float32 and "
      "returned as float64; ValueError when both have no columns.");
}

}  // namespace zrpy
