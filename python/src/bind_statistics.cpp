// zr.statisticsMath and zr.SVD: samples are 1-D float64 arrays, matrices 2-D.

#include <zr/SVD.h>
#include <zr/statisticsMath.h>

#include "convert.h"
#include "module.h"

namespace zrpy {

void bindStatistics(py::module_& m) {
  py::module_ s =
      submodule(m, "statisticsMath",
                "Descriptive statistics of one sample (1-D float64 array), summed from element 0. "
                "The sample size is an unsigned 32-bit count: an empty sample's variance is 0.0.");
  s.def(
      "mean",
      [](ArrayLike sample) {
        double r = 0.0;
        ZR::statisticsMath().mean(vectorF64(sample, {"mean", "sample"}), r);
        return r;
      },
      py::arg("sample"), "Sum of the sample divided by its size (float); NaN for an empty sample.");
  s.def(
      "var",
      [](ArrayLike sample) {
        double r = 0.0;
        ZR::statisticsMath().var(vectorF64(sample, {"var", "sample"}), r);
        return r;
      },
      py::arg("sample"), "Sample variance, divisor n - 1 (numpy: var(ddof=1)); 0.0 for an empty sample.");
  s.def(
      "std",
      [](ArrayLike sample) {
        double r = 0.0;
        ZR::statisticsMath().std(vectorF64(sample, {"std", "sample"}), r);
        return r;
      },
      py::arg("sample"), "Square root of the sample variance (numpy: std(ddof=1)).");
  s.def(
      "normalpdf",
      [](ArrayLike points, double mu, double sigma) {
        std::vector<double> pdf;
        ZR::statisticsMath().normalpdf(vectorF64(points, {"normalpdf", "points"}), mu, sigma, pdf);
        return fromVector(pdf);
      },
      py::arg("points"), py::arg("mu"), py::arg("sigma"),
      "Normal density N(mu, sigma) at each point, as a float64 array of the same length.");
  s.def(
      "median",
      [](ArrayLike matrix, int dim) {
        return fromVector(ZR::statisticsMath().median(rowsF64(matrix, {"median", "matrix"}), dim));
      },
      py::arg("matrix"), py::arg("dim"),
      "Medians of a 2-D array: dim=2 one per row, dim=1 one per column, any other dim an empty "
      "array. NaN in a row or column gives NaN (numpy: median(axis=dim % 2)).");

  py::module_ v = submodule(m, "SVD", "Singular value decomposition by two Jacobi eigen-decompositions.");
  v.def(
      "compute",
      [](ArrayLike matrix) {
        std::vector<std::vector<double>> u, sv, vt;
        ZR::SVD().compute(rowsF64(matrix, {"compute", "matrix"}), u, sv, vt);
        return py::make_tuple(fromRows(u), fromRows(sv), fromRows(vt));
      },
      py::arg("matrix"),
      "Returns (U, S, V) as 2-D float64 arrays: U (m, m) with the left singular vectors as columns, "
      "S (m, n) with the singular values descending on its diagonal, V (n, n) with the right "
      "singular vectors as rows (numpy's Vh). Signs of U's columns and V's rows are not aligned.");
}

}  // namespace zrpy
