// zr.mathMatrix: flat row-major matrices and vectors of rows, both as 2-D NumPy arrays.
//
// The flat-array operations take their dimensions from the array shapes, so the sizes the
// library reads and writes always match the arrays. Results are fresh arrays; invMat returns the
// inverse and leaves its argument unchanged.

#include <zr/mathMatrix.h>

#include <limits>

#include "convert.h"
#include "module.h"

namespace zrpy {
namespace {

int dim(py::ssize_t n, const Param& p) {
  if (n > std::numeric_limits<int>::max())
    throw py::value_error(std::string(p.fn) + "(): parameter '" + p.name +
                          "' is too large for the library's int dimensions");
  return static_cast<int>(n);
}

ArrayF64 matrix2D(py::handle obj, const Param& p) {
  ArrayF64 a = toF64(obj, p);
  if (a.ndim() != 2) throwShape(p, "(rows, cols)", a);
  return a;
}

ArrayF64 square(py::handle obj, const Param& p) {
  ArrayF64 a = toF64(obj, p);
  if (a.ndim() != 2 || a.shape(0) != a.shape(1)) throwShape(p, "(n, n)", a);
  return a;
}

py::ssize_t colsOf(py::handle obj) {
  return py::isinstance<py::array>(obj) && py::reinterpret_borrow<py::array>(obj).ndim() == 2
             ? py::reinterpret_borrow<py::array>(obj).shape(1)
             : 0;
}

// The overwrite-pattern rearrangements: out is shaped (outRows, outCols) and zero before the call.
template <class F>
py::object rearrangeF32(const char* fn, ArrayLike in, bool turn, F f) {
  ArrayF32 shaped = toF32(in, {fn, "in"});
  auto rows = rowsF32(shaped, {fn, "in"});  // shaped is already float32: no second conversion
  const auto r = static_cast<std::size_t>(shaped.shape(0));
  const auto c = static_cast<std::size_t>(shaped.shape(1));
  std::vector<std::vector<float>> out(turn ? c : r, std::vector<float>(turn ? r : c, 0.0f));
  f(ZR::mathMatrix(), std::move(rows), out);
  return fromRows(out, static_cast<py::ssize_t>(turn ? r : c));
}

}  // namespace

void bindMathMatrix(py::module_& m) {
  py::module_ mm =
      submodule(m, "mathMatrix",
                "Matrix operations. Flat row-major matrices (rotateMat, matrixMulmats, invMat, traceMat, "
                "detMatrix) and vectors of rows are both 2-D arrays here; dimensions come from the shapes. "
                "float64 throughout, except fipud/tril/triu/rot90 (float32) and ones/zeros/pascal2 "
                "(int32).");

  mm.def(
      "rotateMat",
      [](ArrayLike source) {
        const Param p{"rotateMat", "source"};
        ArrayF64 a = matrix2D(source, p);
        const int r = dim(a.shape(0), p);
        const int c = dim(a.shape(1), p);
        py::array_t<double> out({a.shape(1), a.shape(0)});
        ZR::mathMatrix().rotateMat(a.data(), out.mutable_data(), r, c);
        return out;
      },
      py::arg("source"),
      "Transpose of the (rows, cols) matrix source, returned as (cols, rows) (a transposition, "
      "not a rotation; numpy: source.T).");

  mm.def(
      "matrixMulmats",
      [](ArrayLike A, ArrayLike B) {
        ArrayF64 a = matrix2D(A, {"matrixMulmats", "A"});
        ArrayF64 b = matrix2D(B, {"matrixMulmats", "B"});
        if (b.shape(0) != a.shape(1))
          throwShape({"matrixMulmats", "B"}, "(" + std::to_string(a.shape(1)) + ", n)", b);
        const int mm_ = dim(a.shape(0), {"matrixMulmats", "A"});
        const int k = dim(a.shape(1), {"matrixMulmats", "A"});
        const int n = dim(b.shape(1), {"matrixMulmats", "B"});
        py::array_t<double> out({a.shape(0), b.shape(1)});
        {
          py::gil_scoped_release release;
          ZR::mathMatrix().matrixMulmats(a.data(), b.data(), out.mutable_data(), mm_, k, n);
        }
        return out;
      },
      py::arg("A"), py::arg("B"),
      "Product A (m, k) . B (k, n) as an (m, n) array; each entry is a sum over l from 0 in "
      "float64 (k = 0 gives zeros). numpy: A @ B (which sums in another order).");

  mm.def(
      "invMat",
      [](ArrayLike a) {
        const Param p{"invMat", "a"};
        ArrayF64 src = square(a, p);
        const int n = dim(src.shape(0), p);
        py::array_t<double> out({src.shape(0), src.shape(1)});
        std::copy(src.data(), src.data() + src.size(), out.mutable_data());
        {
          py::gil_scoped_release release;
          ZR::mathMatrix().invMat(out.mutable_data(), n);
        }
        return out;
      },
      py::arg("a"),
      "Inverse of the (n, n) matrix a by Gauss-Jordan elimination with full pivoting, returned "
      "as a new (n, n) array (a is not changed). No singularity test: a singular a gives "
      "inf/nan or a meaningless finite result; check detMatrix. numpy: numpy.linalg.inv.");

  mm.def(
      "traceMat",
      [](ArrayLike a) {
        const Param p{"traceMat", "a"};
        ArrayF64 src = square(a, p);
        return ZR::mathMatrix().traceMat(src.data(), dim(src.shape(0), p));
      },
      py::arg("a"),
      "Sum of the diagonal of the (n, n) matrix a from (0, 0); 0.0 for n = 0. numpy: "
      "numpy.trace.");

  mm.def(
      "detMatrix",
      [](ArrayLike a) {
        const Param p{"detMatrix", "a"};
        ArrayF64 src = matrix2D(a, p);
        const int r = dim(src.shape(0), p);
        const int c = dim(src.shape(1), p);
        py::gil_scoped_release release;
        return ZR::mathMatrix().detMatrix(src.data(), r, c);
      },
      py::arg("a"),
      "Determinant of the (n, n) matrix a by cofactor expansion along the first row (cost grows "
      "as n!, meant for small n). Other shapes (rows, cols) follow the same expansion (see the "
      "C++ header); no rows gives 1.0. numpy: numpy.linalg.det.");

  mm.def(
      "prod",
      [](ArrayLike a) {
        return ZR::mathMatrix().prod(rowsF64(a, {"prod", "m"}));
      },
      py::arg("m"),
      "Product of all entries of the 2-D array m, row by row; 0.0 for no rows, 1.0 for rows of "
      "no entries. numpy: numpy.prod.");

  mm.def(
      "corr2",
      [](ArrayLike A, ArrayLike B) {
        return ZR::mathMatrix().corr2(rowsF64(A, {"corr2", "A"}), rowsF64(B, {"corr2", "B"}));
      },
      py::arg("A"), py::arg("B"),
      "Correlation coefficient of the entries of the 2-D arrays A and B (same number of "
      "entries). A or B without rows, or different entry counts, raise IndexError('invalid "
      "vector<T> subscript'). numpy: numpy.corrcoef(A.ravel(), B.ravel())[0, 1].");

  mm.def(
      "cov",
      [](ArrayLike X) {
        return fromRows(ZR::mathMatrix().cov(rowsF64(X, {"cov", "X"})));
      },
      py::arg("X"),
      "Sample covariance (divisor n - 1) of the columns of the (n, p) array X, returned as "
      "(p, p); one row gives nan, no rows an empty (0, 0) array. numpy: "
      "numpy.cov(X, rowvar=False).");

  mm.def(
      "dataCenter",
      [](ArrayLike X) {
        std::vector<std::vector<double>> out;
        ZR::mathMatrix().dataCenter(rowsF64(X, {"dataCenter", "X"}), out);
        return fromRows(out, colsOf(X));
      },
      py::arg("X"),
      "X minus its column means, for the (n, p) array X; returns (n, p). numpy: "
      "X - X.mean(axis=0).");

  mm.def(
      "zscore",
      [](ArrayLike X) {
        std::vector<std::vector<double>> out;
        ZR::mathMatrix().zscore(rowsF64(X, {"zscore", "X"}), out);
        return fromRows(out, colsOf(X));
      },
      py::arg("X"),
      "Column-standardised (x - mean_j) / std_j of the (n, p) array X, std_j with divisor "
      "n - 1; a column with std_j = 0 (and every column for n = 1) gives 0.0. Returns (n, p). "
      "scipy: scipy.stats.zscore(X, ddof=1).");

  mm.def(
      "ones",
      [](int rows, int cols) {
        std::vector<std::vector<int>> out;
        ZR::mathMatrix().ones(rows, cols, out);
        return fromRows(out, std::max(cols, 0));
      },
      py::arg("rows"), py::arg("cols"),
      "(rows, cols) int32 array of ones; sizes below 1 give empty dimensions. numpy: "
      "numpy.ones((rows, cols), numpy.int32).");
  mm.def(
      "zeros",
      [](int rows, int cols) {
        std::vector<std::vector<int>> out;
        ZR::mathMatrix().zeros(rows, cols, out);
        return fromRows(out, std::max(cols, 0));
      },
      py::arg("rows"), py::arg("cols"),
      "(rows, cols) int32 array of zeros; sizes below 1 give empty dimensions. numpy: "
      "numpy.zeros((rows, cols), numpy.int32).");
  mm.def(
      "hilb",
      [](int n) {
        std::vector<std::vector<double>> out;
        ZR::mathMatrix().hilb(n, out);
        return fromRows(out, std::max(n, 0));
      },
      py::arg("n"), "(n, n) Hilbert matrix, entry 1.0 / (i + j + 1). scipy: scipy.linalg.hilbert(n).");
  mm.def(
      "pascal2",
      [](int n) {
        std::vector<std::vector<int>> out;
        ZR::mathMatrix().pascal2(n, out);
        return fromRows(out, std::max(n, 0));
      },
      py::arg("n"),
      "(n, n) int32 symmetric Pascal matrix, entry C(i + j, i); from n = 18 on the entries wrap "
      "modulo 2**32. scipy: scipy.linalg.pascal(n).");
  mm.def(
      "vander",
      [](ArrayLike x) {
        auto v = vectorF64(x, {"vander", "x"});
        const auto n = static_cast<py::ssize_t>(v.size());
        std::vector<std::vector<double>> out;
        ZR::mathMatrix().vander(std::move(v), out);
        return fromRows(out, n);
      },
      py::arg("x"),
      "(m, m) Vandermonde matrix of the 1-D array x: row i is x[i]**(m-1), ..., x[i], 1 (powers "
      "by binary exponentiation). numpy: numpy.vander(x).");
  mm.def(
      "toeplitz",
      [](ArrayLike c) {
        auto v = vectorF64(c, {"toeplitz", "c"});
        const auto n = static_cast<py::ssize_t>(v.size());
        std::vector<std::vector<double>> out;
        ZR::mathMatrix().toeplitz(std::move(v), out);
        return fromRows(out, n);
      },
      py::arg("c"),
      "(m, m) symmetric Toeplitz matrix of the 1-D array c, entry c[|i - j|]. scipy: "
      "scipy.linalg.toeplitz(c).");

  mm.def(
      "fiplr",
      [](ArrayLike in) {
        std::vector<std::vector<double>> out;
        ZR::mathMatrix().fiplr(rowsF64(in, {"fiplr", "in"}), out);
        return fromRows(out, colsOf(in));
      },
      py::arg("in"),
      "Left-right mirror of the (r, c) float64 array in, entries copied bit for bit. numpy: "
      "numpy.fliplr.");
  mm.def(
      "fipud",
      [](ArrayLike in) {
        return rearrangeF32("fipud", in, false,
                            [](ZR::mathMatrix mx, std::vector<std::vector<float>> a,
                               std::vector<std::vector<float>>& o) { mx.fipud(std::move(a), o); });
      },
      py::arg("in"),
      "Up-down mirror of the (r, c) array in, as float32 (a float64 input is rounded to float32 "
      "first); entries copied bit for bit. numpy: numpy.flipud.");
  mm.def(
      "tril",
      [](ArrayLike in) {
        return rearrangeF32("tril", in, false,
                            [](ZR::mathMatrix mx, std::vector<std::vector<float>> a,
                               std::vector<std::vector<float>>& o) { mx.tril(std::move(a), o); });
      },
      py::arg("in"),
      "Lower triangle (j <= i) of the (r, c) array in as float32, +0.0 above the diagonal. "
      "numpy: numpy.tril.");
  mm.def(
      "triu",
      [](ArrayLike in) {
        return rearrangeF32("triu", in, false,
                            [](ZR::mathMatrix mx, std::vector<std::vector<float>> a,
                               std::vector<std::vector<float>>& o) { mx.triu(std::move(a), o); });
      },
      py::arg("in"),
      "Upper triangle (j >= i) of the (r, c) array in as float32, +0.0 below the diagonal. "
      "numpy: numpy.triu.");
  mm.def(
      "rot90",
      [](ArrayLike in) {
        return rearrangeF32("rot90", in, true,
                            [](ZR::mathMatrix mx, std::vector<std::vector<float>> a,
                               std::vector<std::vector<float>>& o) { mx.rot90(std::move(a), o); });
      },
      py::arg("in"),
      "Clockwise quarter turn of the (r, c) array in as a (c, r) float32 array, "
      "out[j][r-1-i] = in[i][j]. numpy: numpy.rot90(in, -1).");
}

}  // namespace zrpy
