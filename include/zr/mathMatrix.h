#pragma once

/// \class ZR::mathMatrix
/// mathMatrix: small dense matrices as flat row-major arrays and as vectors of rows.
///
/// Conventions
/// - Flat matrix: rows·cols doubles, element (i, j) at index i·cols + j. The caller supplies arrays
///   of the size the dimensions describe; a dimension below 1 makes the operation do nothing.
/// - Vector of rows: the row count is the size of the outer vector, the column count the length of
///   row 0. Longer rows are read only up to row 0's length; shorter rows, and result containers
///   smaller than the block an operation writes, raise std::out_of_range
///   ("invalid vector<T> subscript") before anything is written.
/// - Sums start from 0.0 and run in ascending index order (row 0 first), in double, so every build
///   gives the same bits. No operation validates numeric input: singular or degenerate data give
///   the IEEE results (inf, NaN) of the formulas.

#include <vector>

#include "zr/export.h"
#include "zr/types.h"

namespace ZR {

class ZR_API mathMatrix {
 public:
  // ---- Flat-array algebra ------------------------------------------------------------------

  /// Transpose: destination (cols × rows) [j·rows + i] := source (rows × cols) [i·cols + j].
  /// The arrays must not overlap.
  void rotateMat(const double* source, double* destination, int rows, int cols);
  /// C (m × n) := A (m × k) · B (k × n), each entry a sum over l from 0; k < 1 writes zeros.
  /// C must not overlap A or B.
  void matrixMulmats(const double* A, const double* B, double* C, int m, int k, int n);
  /// Replaces the n × n matrix a by its inverse (Gauss-Jordan with full pivoting, ties to the
  /// first entry in row-major order). Any n ≥ 0. No singularity test: a zero pivot gives inf/NaN,
  /// a step whose trailing block has no entry above 0 pivots at row 0 and column 0.
  void invMat(double* const a, int n);
  /// Sum of the n diagonal entries of the n × n matrix a, from (0, 0); 0.0 for n < 1.
  double traceMat(const double* a, int n);

  // ---- Determinant -------------------------------------------------------------------------

  /// Determinant by cofactor expansion along the first row down to one-row minors, terms added
  /// from column 0 with signs +, −, +, …; the array is only read. Cost grows as n!: small orders.
  /// Other shapes follow the same rules: more columns than rows expands every first-row entry,
  /// a minor that runs out of columns gives 0.0; rows < 1 gives 1.0.
  double detMatrix(const double* a, int rows, int cols);

  // ---- Column statistics (rows are observations, columns variables) ------------------------

  /// Product of all entries, each row over its own length; 0.0 for no rows, 1.0 if all rows
  /// are empty. m is only read.
  double prod(const std::vector<std::vector<double>>& m);
  /// Correlation coefficient of the entries of A and B (each row walked over its own length);
  /// the means divide by rows · (length of row 0). A or B without rows, or A and B with
  /// different numbers of entries, raise std::out_of_range. Constant data give NaN.
  double corr2(std::vector<std::vector<double>> A, std::vector<std::vector<double>> B);
  /// Returns the p × p sample covariance (divisor n − 1) of the p columns of the n × p matrix X;
  /// empty for no rows, all NaN for one row.
  std::vector<std::vector<double>> cov(std::vector<std::vector<double>> X);
  /// Appends the n rows of X minus its column means to out (out's earlier rows stay in front).
  void dataCenter(std::vector<std::vector<double>> X, std::vector<std::vector<double>>& out);
  /// Appends the n rows of (x − μ_j) / σ_j to out, σ_j the sample standard deviation
  /// (divisor n − 1) of column j. A column with σ_j = 0, and every column when n = 1, gives 0.0.
  void zscore(std::vector<std::vector<double>> X, std::vector<std::vector<double>>& out);

  // ---- Generators (rows appended to out, each row built complete) --------------------------

  /// rows × cols ones; does nothing if out already holds a row. cols < 1 gives empty rows.
  void ones(int rows, int cols, std::vector<std::vector<int>>& out);
  /// rows × cols zeros; does nothing if out already holds a row. cols < 1 gives empty rows.
  void zeros(int rows, int cols, std::vector<std::vector<int>>& out);
  /// n × n Hilbert matrix, entry 1.0 / (i + j + 1); does nothing if out already holds a row.
  void hilb(int n, std::vector<std::vector<double>>& out);
  /// Appends the n × n symmetric Pascal matrix, entry (i, j) = C(i + j, i), behind any rows out
  /// already holds. Entries beyond the int range (order 18 and above) wrap modulo 2^32.
  void pascal2(int n, std::vector<std::vector<int>>& out);
  /// Appends the m × m Vandermonde matrix of x (m = size of x): row i is x[i]^(m−1), …, x[i], 1,
  /// each power by binary exponentiation.
  void vander(std::vector<double> x, std::vector<std::vector<double>>& out);
  /// Appends the m × m symmetric Toeplitz matrix of c (m = size of c): entry (i, j) = c[|i − j|].
  void toeplitz(std::vector<double> c, std::vector<std::vector<double>>& out);

  // ---- Rearrangements (entries copied bit for bit) -----------------------------------------

  /// Appends the left-right mirror of the r × c matrix in, out[i][j] = in[i][c − 1 − j], to an
  /// empty out; does nothing if out already holds a row. in is only read.
  void fiplr(const std::vector<std::vector<double>>& in, std::vector<std::vector<double>>& out);
  /// Overwrites the r × c block of out with the up-down mirror, out[i][j] = in[r − 1 − i][j].
  void fipud(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out);
  /// Overwrites the r × c block of out with in where j ≤ i and +0.0f where j > i.
  void tril(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out);
  /// Overwrites the r × c block of out with in where j ≥ i and +0.0f where j < i.
  void triu(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out);
  /// Overwrites the c × r block of out with the clockwise quarter turn of the r × c matrix in:
  /// out[j][r − 1 − i] = in[i][j].
  void rot90(std::vector<std::vector<float>> in, std::vector<std::vector<float>>& out);
};

}  // namespace ZR
