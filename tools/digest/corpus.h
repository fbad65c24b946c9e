#pragma once

// The inputs every exported operation is run on: one generator per parameter type, driven by a
// portable integer generator (SplitMix64; no <random> distributions, whose output differs between
// standard libraries), mixed with the values that break numerics. Operations whose parameters are
// coupled (a flat matrix and its dimensions, the two coordinate lists of a curve, an image's
// shape) have one entry each in the table of couplings at the end. The digest, and any harness
// that wants the same inputs (a fuzz driver, a binding test), derive everything from here and
// from tools/operations.h.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "operations.h"

namespace zr_corpus {

// ---- Portable integer generator ----------------------------------------------------------------

class Gen {
 public:
  explicit Gen(std::uint64_t seed) : s_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  /// 0 … n − 1 (n ≥ 1).
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }
  /// lo … hi for small ranges.
  int range(int lo, int hi) { return lo + static_cast<int>(below(static_cast<std::uint32_t>(hi - lo + 1))); }
  bool chance(unsigned percent) { return below(100) < percent; }
  /// [0, 1) in steps of 2^-53, exact.
  double unit() { return static_cast<double>(static_cast<std::int64_t>(next() >> 11)) * 0x1p-53; }
  template <class T, std::size_t N>
  const T& pick(const T (&table)[N]) {
    return table[below(static_cast<std::uint32_t>(N))];
  }

 private:
  std::uint64_t s_;
};

/// The seed of an operation's corpus: FNV-1a of its name, so each operation sees the same inputs
/// whatever order the operations run in.
inline std::uint64_t seedOf(const char* name) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (; *name; ++name) h = (h ^ static_cast<unsigned char>(*name)) * 0x100000001B3ull;
  return h;
}

// ---- Storage for parameters that are raw arrays ---------------------------------------------------

/// A 3 × 3 matrix handed over as double (*)[3].
struct Mat3 {
  double m[3][3];
};

/// A flat array handed over as double*: three values unless a coupling sizes it.
struct Flat {
  std::vector<double> v;
};

template <class P>
struct StoreOf {
  using type = std::remove_cv_t<std::remove_reference_t<P>>;
};
template <>
struct StoreOf<double (*)[3]> {
  using type = Mat3;
};
template <>
struct StoreOf<double*> {
  using type = Flat;
};
template <>
struct StoreOf<const double*> {
  using type = Flat;
};
template <class P>
using Store = typename StoreOf<P>::type;

/// Results written through a non-const reference or a pointer to non-const; they are prepared
/// before the call (usually empty, sometimes holding data, since several operations append or
/// keep what is there) and read back after it.
template <class P>
constexpr bool isWritten = (std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>) ||
                           (std::is_pointer_v<P> && !std::is_const_v<std::remove_pointer_t<P>>);
/// Written but not read: prepared rather than generated as input.
template <class P>
constexpr bool isOutput = std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>;

inline double (*pass(Mat3& s))[3] { return s.m; }
inline double* pass(Flat& s) { return s.v.data(); }
template <class T>
T& pass(T& s) {
  return s;
}

// ---- Values ---------------------------------------------------------------------------------------

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.141592653589793;
constexpr double kSqrtHalf = 0x1.6a09e667f3bcdp-1;
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

// Signed zeros, subnormals, the largest finite values, NaN, infinities, float rounding boundaries
// (2^24 ± 1, 1 + 2^-24, FLT_MAX and the first value that rounds past it), squares that overflow or
// underflow, angles at the singular orientations.
constexpr double kSpecial[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 3.0, 0x1p-1074, -0x1p-1074, 0x1.fffffffffffffp-1023, 0x1p-1022,
    std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), kInf, -kInf, kNaN,
    16777215.0, 16777216.0, 16777217.0, 16777218.0, 16777219.0, -16777217.0, 0x1p53, 0x1p53 + 2.0,
    1.0 + 0x1p-23, 1.0 + 0x1p-24, 1.0 + 0x1.8p-24, 1.0 - 0x1p-25, 0x1.fffffep127, 0x1.ffffffp127,
    0x1p-149, 0x1p-150, 0x1.8p-150, kPi, -kPi, kPi / 2, -kPi / 2, kPi / 4, 90.0, -90.0, 180.0, -180.0,
    45.0, 360.0, 1e-8, 1e300, -1e300, 0.1, 25.0, 171.0, 1e154, 1.5e-162, kSqrtHalf, -kSqrtHalf};

constexpr double kAngles[] = {0.0,   -0.0,  kPi / 2, -kPi / 2, kPi,   -kPi, kPi / 4, 90.0, -90.0,
                              180.0, -180.0, 45.0,   270.0,    1e-9,  -1e-9, 89.99999999, 0x1.921fb54442d19p+0};

constexpr float kFloatSpecial[] = {0.0f,         -0.0f,         0x1p-149f,      0x1p-126f,
                                   3.40282347e38f, -3.40282347e38f, std::numeric_limits<float>::infinity(),
                                   std::numeric_limits<float>::quiet_NaN(), 16777216.0f, 16777218.0f,
                                   1.0f + 0x1p-23f, 1.0f, -1.0f, 0.5f};

constexpr int kIntSpecial[] = {kIntMin, kIntMax, kIntMin + 1, kIntMax - 1, 0, -1, 1, 2, 46340, 46341, 65536, -65536};

struct Corpus {
  Gen& g;

  double special() { return g.pick(kSpecial); }

  double real() {
    switch (g.below(10)) {
      case 0:
      case 1:
        return special();
      case 2:
      case 3:
      case 4:
        return g.unit() * 2.0 - 1.0;
      case 5:
      case 6:
        return static_cast<double>(g.range(-10, 10));
      case 7:
      case 8: {
        // A random mantissa scaled by an exact power of two between 2^-70 and 2^70.
        const std::uint64_t e = static_cast<std::uint64_t>(1023 + g.range(-70, 70)) << 52;
        double p;
        std::memcpy(&p, &e, sizeof p);
        return (g.unit() * 2.0 - 1.0) * p;
      }
      default: {
        // Any bit pattern: NaN payloads, subnormals, huge exponents.
        const std::uint64_t bits = g.next();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
      }
    }
  }

  /// A double's rounding to float without the undefined conversion of values past the float range.
  static float toFloat(double d) {
    if (d > 3.4028235677973366e38) return std::numeric_limits<float>::infinity();
    if (d < -3.4028235677973366e38) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
  }

  float real32() { return g.chance(20) ? g.pick(kFloatSpecial) : toFloat(real()); }

  int integer() {
    switch (g.below(8)) {
      case 0:
        return g.pick(kIntSpecial);
      case 1:
      case 2:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(g.next()));
      default:
        return g.range(-20, 20);
    }
  }

  /// A count for a container: mostly small, sometimes empty, now and then a few dozen.
  std::size_t count() {
    const std::uint32_t k = g.below(12);
    if (k == 0) return 0;
    if (k == 11) return 9 + g.below(32);
    return k;
  }
};

// ---- One generator per parameter type --------------------------------------------------------------

inline void make(Corpus& c, double& x) { x = c.real(); }
inline void make(Corpus& c, float& x) { x = c.real32(); }
inline void make(Corpus& c, int& x) { x = c.integer(); }
inline void make(Corpus& c, bool& x) { x = c.g.below(2) == 1; }
inline void make(Corpus& c, std::uint64_t& x) {
  constexpr std::uint64_t kEdges[] = {0, 1, 2, 0x8000000000000000ull, ~0ull};
  x = c.g.chance(20) ? c.g.pick(kEdges) : c.g.next();
}
inline void make(Corpus& c, ZR::ChannelOrderEuler& x) {
  // The six orders, and values outside them.
  constexpr std::int32_t kInvalid[] = {-1, 6, 7, -6, kIntMin, kIntMax};
  x = static_cast<ZR::ChannelOrderEuler>(c.g.chance(75) ? c.g.range(0, 5) : c.g.pick(kInvalid));
}
inline void make(Corpus& c, ZR::Point2F& p) {
  p.x = c.real32();
  p.y = c.real32();
}
inline void make(Corpus& c, ZR::Point2D& p) {
  // Points on a small grid are often collinear or equal.
  if (c.g.chance(40)) {
    p = {static_cast<double>(c.g.range(-2, 2)), static_cast<double>(c.g.range(-2, 2))};
    return;
  }
  p.x = c.real();
  p.y = c.real();
}
inline void make(Corpus& c, ZR::Point3D& p) {
  if (c.g.chance(15)) {
    p = {c.g.chance(50) ? 0.0 : -0.0, 0.0, c.g.chance(50) ? 0.0 : -0.0};
    return;
  }
  if (c.g.chance(30)) {
    p = {static_cast<double>(c.g.range(-2, 2)), static_cast<double>(c.g.range(-2, 2)),
         static_cast<double>(c.g.range(-2, 2))};
    return;
  }
  p = {c.real(), c.real(), c.real()};
}
inline void make(Corpus& c, ZR::QuaD& q) {
  constexpr double s = kSqrtHalf;
  // Identity, half-turns, quarter-turns about each axis (the singular orientations of the
  // Euler orders), the zero quaternion.
  constexpr ZR::QuaD kSpecialQ[] = {{1, 0, 0, 0},   {-1, 0, 0, 0},  {0, 1, 0, 0},       {0, 0, 1, 0},
                                    {0, 0, 0, 1},   {s, s, 0, 0},   {s, 0, s, 0},       {s, 0, -s, 0},
                                    {s, 0, 0, s},   {s, -s, 0, 0},  {0.5, 0.5, 0.5, 0.5}, {0.5, -0.5, 0.5, -0.5},
                                    {0, 0, 0, 0},   {-0.0, 0, -0.0, 0}, {0, s, s, 0},    {0.5, 0.5, -0.5, 0.5}};
  switch (c.g.below(10)) {
    case 0:
    case 1:
      q = c.g.pick(kSpecialQ);
      return;
    case 2:
    case 3:
    case 4:
    case 5: {
      q = {c.g.unit() * 2 - 1, c.g.unit() * 2 - 1, c.g.unit() * 2 - 1, c.g.unit() * 2 - 1};
      const double n = std::sqrt(((q.x * q.x + q.w * q.w) + q.y * q.y) + q.z * q.z);
      if (n > 0) q = {q.w / n, q.x / n, q.y / n, q.z / n};
      return;
    }
    case 6: {
      // A hair from a quarter-turn about y.
      const double e = c.g.pick(kSpecial) * 1e-9;
      q = {s + e, e, s, -e};
      return;
    }
    case 7:
      q = {static_cast<double>(c.g.range(-2, 2)), static_cast<double>(c.g.range(-2, 2)),
           static_cast<double>(c.g.range(-2, 2)), static_cast<double>(c.g.range(-2, 2))};
      return;
    default:
      q = {c.real(), c.real(), c.real(), c.real()};
  }
}
inline void make(Corpus& c, ZR::colorChannel& p) {
  auto channel = [&c] { return c.g.chance(90) ? c.g.range(0, 255) : c.integer(); };
  p.red = channel();
  p.green = channel();
  p.blue = channel();
}

/// The column-vector rotation matrix of a unit quaternion.
inline void rotationOf(const ZR::QuaD& q, double (*m)[3]) {
  const double w = q.w, x = q.x, y = q.y, z = q.z;
  m[0][0] = 1 - 2 * (y * y + z * z);
  m[0][1] = 2 * (x * y - z * w);
  m[0][2] = 2 * (x * z + y * w);
  m[1][0] = 2 * (x * y + z * w);
  m[1][1] = 1 - 2 * (x * x + z * z);
  m[1][2] = 2 * (y * z - x * w);
  m[2][0] = 2 * (x * z - y * w);
  m[2][1] = 2 * (y * z + x * w);
  m[2][2] = 1 - 2 * (x * x + y * y);
}

inline void make(Corpus& c, Mat3& a) {
  switch (c.g.below(8)) {
    case 0: {
      // A signed permutation: identity, half-turns, quarter-turns, reflections; every Euler
      // order meets its singular orientation here (an entry of exactly ±1 where asin is taken).
      int perm[3] = {0, 1, 2};
      for (int i = 2; i > 0; --i) std::swap(perm[i], perm[c.g.range(0, i)]);
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) a.m[i][j] = j == perm[i] ? (c.g.chance(70) ? 1.0 : -1.0) : 0.0;
      return;
    }
    case 1:
    case 2:
    case 3: {
      ZR::QuaD q{};
      make(c, q);
      rotationOf(q, a.m);
      if (c.g.chance(20)) a.m[c.g.range(0, 2)][c.g.range(0, 2)] += 1e-12;  // near a rotation
      return;
    }
    case 4: {
      // Singular: zero, rank one, a repeated row.
      const double r[3] = {c.real(), c.real(), c.real()};
      const int kind = c.g.range(0, 2);
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) a.m[i][j] = kind == 0 ? 0.0 : kind == 1 ? r[j] * static_cast<double>(i + 1) : r[j];
      if (kind == 2) a.m[2][0] = c.real();
      return;
    }
    default:
      for (auto& row : a.m)
        for (double& e : row) e = c.g.chance(30) ? static_cast<double>(c.g.range(-1, 1)) : c.real();
  }
}

inline void make(Corpus& c, Flat& a) {
  a.v.resize(3);
  for (double& e : a.v) e = c.g.chance(40) ? c.g.pick(kAngles) : c.real();
}

/// Equal keys: a pool of three values to draw elements from (0.0 and −0.0 among them, often).
template <class T>
struct Pool {
  T value[3];
  explicit Pool(Corpus& c) {
    for (T& p : value) make(c, p);
    if constexpr (std::is_same_v<T, double>) {
      if (c.g.chance(50)) value[0] = 0.0;
      if (c.g.chance(50)) value[1] = -0.0;
    }
  }
  const T& draw(Corpus& c) const { return value[c.g.below(3)]; }
};

template <class T>
void make(Corpus& c, std::vector<T>& v) {
  v.resize(c.count());
  if (c.g.chance(30)) {
    const Pool<T> pool(c);
    for (T& e : v) e = pool.draw(c);
    return;
  }
  for (T& e : v) make(c, e);
}

template <class T>
void make(Corpus& c, std::vector<std::vector<T>>& m) {
  m.resize(c.g.chance(10) ? 6 + c.g.below(5) : c.g.below(6));
  std::size_t cols = c.g.chance(10) ? 6 + c.g.below(5) : c.g.below(6);
  const bool pooled = c.g.chance(25);
  const Pool<T> pool(c);
  for (auto& row : m) {
    row.resize(cols);
    for (T& e : row) {
      if (pooled)
        e = pool.draw(c);
      else
        make(c, e);
    }
  }
  if (!m.empty() && c.g.chance(10)) {
    // Ragged: one row shorter or longer than row 0, or every row empty.
    auto& row = m[c.g.below(static_cast<std::uint32_t>(m.size()))];
    const std::uint32_t k = c.g.below(3);
    if (k == 0 && !row.empty()) row.pop_back();
    if (k == 1) {
      row.emplace_back();
      make(c, row.back());
    }
    if (k == 2)
      for (auto& r : m) r.clear();
  }
}

/// Outputs: usually empty containers (filled containers now and then, for the operations that
/// append or keep what is there); other types are filled with generated values, so a field the
/// operation leaves alone shows in the digest.
template <class T>
void prepare(Corpus& c, T& x) {
  make(c, x);
}
template <class T>
void prepare(Corpus& c, std::vector<T>& v) {
  if (c.g.chance(75))
    v.clear();
  else
    make(c, v);
}

// ---- Inputs made for coupled parameters --------------------------------------------------------------

/// A dimension of a flat matrix: mostly 0 … 5, sometimes negative.
inline int dimension(Corpus& c) {
  const std::uint32_t k = c.g.below(20);
  if (k == 0) return -1;
  if (k == 1) return kIntMin;
  if (k == 2) return 6;
  return c.g.range(0, 5);
}

inline std::size_t cells(int rows, int cols) {
  return rows > 0 && cols > 0 ? static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols) : 0u;
}

/// A rows × cols flat matrix (the array size the dimensions describe): random, small integers,
/// the identity, exactly singular (a repeated or zero row), near-singular, Hilbert.
inline void flatMatrix(Corpus& c, Flat& a, int rows, int cols) {
  a.v.assign(cells(rows, cols), 0.0);
  if (a.v.empty()) return;
  const auto r = static_cast<std::size_t>(rows), n = static_cast<std::size_t>(cols);
  const std::uint32_t kind = c.g.below(8);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < n; ++j) {
      double& e = a.v[i * n + j];
      switch (kind) {
        case 0:
          e = i == j ? 1.0 : 0.0;
          break;
        case 1:
          e = 1.0 / static_cast<double>(static_cast<std::int64_t>(i + j + 1));
          break;
        case 2:
        case 3:
          e = static_cast<double>(c.g.range(-3, 3));
          break;
        default:
          e = c.g.chance(90) ? c.g.unit() * 2 - 1 : c.real();
      }
    }
  if (r >= 2 && c.g.chance(30)) {
    // Exactly singular, or a hair from it.
    const std::size_t i = c.g.below(static_cast<std::uint32_t>(r)), k = (i + 1) % r;
    const bool zero = c.g.chance(30);
    for (std::size_t j = 0; j < n; ++j) a.v[k * n + j] = zero ? 0.0 : a.v[i * n + j];
    if (!zero && c.g.chance(50)) a.v[k * n] += 0x1p-50;
  }
}

/// An integer image: 8-bit levels (constant images and a sprinkle of values outside 0 … 255
/// included), or a 0/1 image; ragged now and then.
inline void image(Corpus& c, std::vector<std::vector<int>>& img, bool binary) {
  img.resize(c.g.chance(5) ? c.g.below(3) : 2 + c.g.below(16));
  const std::size_t cols = c.g.chance(5) ? c.g.below(3) : 2 + c.g.below(16);
  const bool flat = c.g.chance(10);
  const int level = c.g.range(0, 255);
  for (auto& row : img) {
    row.resize(cols);
    for (int& p : row) {
      if (binary)
        p = c.g.below(3) != 0 ? 1 : 0;
      else if (flat)
        p = level;
      else
        p = c.g.chance(97) ? c.g.range(0, 255) : c.integer();
    }
  }
  if (!img.empty() && c.g.chance(5)) {
    auto& row = img[c.g.below(static_cast<std::uint32_t>(img.size()))];
    if (!row.empty()) row.pop_back();
  }
}

/// A point set for the hulls: grid points (collinear runs, duplicates, equal angles), wide random
/// points, the extreme corners of the int range; rows longer than two carry a payload, rows
/// shorter than two are invalid.
inline void pointSet(Corpus& c, std::vector<std::vector<int>>& pts) {
  const std::uint32_t k = c.g.below(10);
  const std::size_t n = k == 0 ? c.g.below(4) : k == 9 ? 60 + c.g.below(200) : 4 + c.g.below(24);
  pts.assign(n, std::vector<int>(2));
  const std::uint32_t kind = c.g.below(4);
  for (auto& p : pts) {
    for (int& e : p) {
      switch (kind) {
        case 0:
          e = c.g.range(-3, 3);
          break;
        case 1:
          e = c.g.range(-1000, 1000);
          break;
        case 2:
          e = c.g.chance(60) ? (c.g.chance(50) ? kIntMin : kIntMax) : c.g.range(-2, 2);
          break;
        default:
          e = c.g.chance(20) ? c.integer() : c.g.range(-8, 8);
      }
    }
    if (kind == 3 && c.g.chance(30)) p[1] = p[0];  // the diagonal: collinear
    if (c.g.chance(5)) p.push_back(c.integer());
  }
  if (n > 0 && c.g.chance(4)) pts[c.g.below(static_cast<std::uint32_t>(n))].resize(c.g.below(2));
}

/// The table of couplings: per operation the number of calls and how the generated arguments are
/// adjusted where parameters depend on one another. Operations without an entry take 1000 calls
/// of independently generated arguments.
template <auto Op>
struct Coupling {
  static constexpr int calls = 1000;
  template <class Args>
  static void adjust(Corpus&, Args&) {}
};

#define ZR_COUPLING(cls, op, n)                  \
  template <>                                    \
  struct Coupling<&ZR::cls::op> {                \
    static constexpr int calls = n;              \
    template <class Args>                        \
    static void adjust(Corpus& c, Args& a);      \
  };                                             \
  template <class Args>                          \
  void Coupling<&ZR::cls::op>::adjust([[maybe_unused]] Corpus& c, [[maybe_unused]] Args& a)

using std::get;

// Flat matrices with their dimensions. INT_MAX only where another dimension is below 1 (the
// caller's array would otherwise have to hold it).
ZR_COUPLING(mathMatrix, rotateMat, 1000) {
  int& r = get<2>(a);
  int& n = get<3>(a);
  r = dimension(c), n = dimension(c);
  // (rows INT_MAX with cols 0 also does nothing, but walks 2^31 empty rows first.)
  if (c.g.chance(3)) r = c.g.chance(50) ? 0 : kIntMin, n = kIntMax;
  flatMatrix(c, get<0>(a), r, n);
  flatMatrix(c, get<1>(a), n, r);
}
ZR_COUPLING(mathMatrix, matrixMulmats, 1000) {
  int& m = get<3>(a);
  int& k = get<4>(a);
  int& n = get<5>(a);
  m = dimension(c), k = dimension(c), n = dimension(c);
  if (c.g.chance(3)) k = c.g.chance(50) ? kIntMin : 0;
  if (c.g.chance(3)) {
    const bool wideK = c.g.chance(50);
    m = c.g.chance(50) ? kIntMin : 0;
    (wideK ? k : n) = kIntMax;
    (wideK ? n : k) = c.g.chance(50) ? kIntMin : 0;
  }
  flatMatrix(c, get<0>(a), m, k);
  flatMatrix(c, get<1>(a), k, n);
  flatMatrix(c, get<2>(a), m, n);
}
ZR_COUPLING(mathMatrix, invMat, 1000) {
  int& n = get<1>(a);
  n = dimension(c);
  flatMatrix(c, get<0>(a), n, n);
}
ZR_COUPLING(mathMatrix, traceMat, 1000) {
  int& n = get<1>(a);
  n = dimension(c);
  flatMatrix(c, get<0>(a), n, n);
}
ZR_COUPLING(mathMatrix, detMatrix, 400) {
  int& r = get<1>(a);
  int& n = get<2>(a);
  r = dimension(c);
  n = c.g.chance(70) ? r : dimension(c);
  if (c.g.chance(10)) r = n = 7;
  if (c.g.chance(3)) r = c.g.chance(50) ? kIntMin : 0, n = kIntMax;
  flatMatrix(c, get<0>(a), r, n);
}

// corr2 needs two matrices of the same number of entries to get past its check.
ZR_COUPLING(mathMatrix, corr2, 1000) {
  if (c.g.chance(70)) {
    auto& b = get<1>(a);
    b = get<0>(a);
    for (auto& row : b)
      for (double& e : row) e = c.g.chance(80) ? c.g.unit() : c.real();
  }
}

// Generators: INT_MAX (and other huge sizes) only where the operation must not build anything
// (ones, zeros and hilb do nothing when the result already holds a row); otherwise modest orders.
ZR_COUPLING(mathMatrix, ones, 1000) {
  int& r = get<0>(a);
  int& n = get<1>(a);
  r = c.g.range(-2, 6), n = c.g.range(-2, 6);
  if (c.g.chance(10)) r = c.g.chance(50) ? kIntMin : r, n = c.g.chance(50) ? kIntMin : n;
  if (c.g.chance(5)) r = -1, n = kIntMax;
  if (c.g.chance(5)) {
    r = kIntMax, n = kIntMax;
    get<2>(a).assign(1, std::vector<int>{7});
  }
}
ZR_COUPLING(mathMatrix, zeros, 1000) { Coupling<&ZR::mathMatrix::ones>::adjust(c, a); }
ZR_COUPLING(mathMatrix, hilb, 1000) {
  int& n = get<0>(a);
  n = c.g.chance(10) ? kIntMin : c.g.range(-2, 14);
  if (c.g.chance(5)) {
    n = kIntMax;
    get<1>(a).assign(1, std::vector<double>{7.0});
  }
}
ZR_COUPLING(mathMatrix, pascal2, 1000) { get<0>(a) = c.g.chance(10) ? kIntMin : c.g.range(-2, 40); }

// The rearrangements overwrite a block of their result: one of the right shape, larger, smaller or
// empty.
template <class Args>
void blockResult(Corpus& c, Args& a, bool transposed) {
  const auto& in = get<0>(a);
  auto& out = get<1>(a);
  const std::size_t r = in.size(), n = in.empty() ? 0 : in[0].size();
  const std::uint32_t k = c.g.below(10);
  if (k < 2) return;  // as prepared
  std::size_t rows = transposed ? n : r, cols = transposed ? r : n;
  if (k == 2) rows += 1, cols += 2;
  if (k == 3 && rows > 0) rows -= 1;
  if (k == 4 && cols > 0) cols -= 1;
  out.assign(rows, std::vector<float>(cols, -7.0f));
}
ZR_COUPLING(mathMatrix, fipud, 1000) { blockResult(c, a, false); }
ZR_COUPLING(mathMatrix, tril, 1000) { blockResult(c, a, false); }
ZR_COUPLING(mathMatrix, triu, 1000) { blockResult(c, a, false); }
ZR_COUPLING(mathMatrix, rot90, 1000) { blockResult(c, a, true); }

ZR_COUPLING(statisticsMath, median, 1000) {
  constexpr int kDims[] = {1, 2, 1, 2, 1, 2, 0, 3, -1, kIntMin, kIntMax};
  get<1>(a) = c.g.pick(kDims);
}

// SVD: rank-deficient matrices and equal singular values (tied eigenvalues) as well.
ZR_COUPLING(SVD, compute, 300) {
  auto& m = get<0>(a);
  if (m.size() >= 2 && c.g.chance(30)) m[1] = m[0];
  if (c.g.chance(10)) {
    const std::size_t n = 1 + c.g.below(5);
    const double d = c.g.chance(50) ? 1.0 : c.real();
    m.assign(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i) m[i][i] = c.g.chance(80) ? d : -d;
  }
}

// Curves: y as long as x, mostly; coordinates of every size.
template <class Args>
void curvePoints(Corpus& c, Args& a, std::size_t most) {
  auto& x = get<0>(a);
  auto& y = get<1>(a);
  const std::size_t n = c.g.chance(10) ? c.g.below(static_cast<std::uint32_t>(most + 3)) : most - 1 + c.g.below(4);
  x.resize(n);
  for (int& e : x) e = c.g.chance(85) ? c.g.range(-100, 100) : c.integer();
  y.resize(c.g.chance(85) ? n : c.g.below(static_cast<std::uint32_t>(n + 2)));
  for (int& e : y) e = c.g.chance(85) ? c.g.range(-100, 100) : c.integer();
}
ZR_COUPLING(Graph, bezier_n, 100) { curvePoints(c, a, 5); }
ZR_COUPLING(Graph, bezier_1, 300) { curvePoints(c, a, 2); }
ZR_COUPLING(Graph, bezier_2, 300) { curvePoints(c, a, 3); }
ZR_COUPLING(Graph, bezier_3, 300) { curvePoints(c, a, 4); }

ZR_COUPLING(Graph, convexHullGraham, 500) { pointSet(c, get<0>(a)); }
ZR_COUPLING(Graph, convexHullJarvis, 500) { pointSet(c, get<0>(a)); }
ZR_COUPLING(Graph, convexHullDivideConquer, 500) { pointSet(c, get<0>(a)); }

// Images of every shape; kernel sizes small, negative, and past the int limit of the kernel.
ZR_COUPLING(imageProcessing, getGaussianKernel, 500) {
  constexpr int kSizes[] = {kIntMin, -1, 0, kIntMax, 46341};
  get<0>(a) = c.g.chance(10) ? c.g.pick(kSizes) : c.g.range(1, 12);
  if (c.g.chance(70)) get<1>(a) = 0.25 + c.g.unit() * 4;
}
ZR_COUPLING(imageProcessing, boxFilter, 500) {
  image(c, get<0>(a), false);
  if (c.g.chance(85)) get<1>(a) = c.g.range(-1, 5);
}
ZR_COUPLING(imageProcessing, sobel, 500) { image(c, get<0>(a), false); }
ZR_COUPLING(imageProcessing, canny, 500) { image(c, get<0>(a), false); }
ZR_COUPLING(imageProcessing, imageBinaryzation, 500) { image(c, get<0>(a), false); }
ZR_COUPLING(imageProcessing, imageopen, 500) { image(c, get<0>(a), true); }

// Sets of vectors and quaternions with their weights: mostly of one length (the rest throws);
// weights mostly in [0, 2), with all-zero weights now and then.
template <class T>
void sameLength(Corpus& c, std::vector<T>& v, std::size_t n) {
  if (c.g.chance(10)) return;
  v.resize(n);
  for (T& e : v) make(c, e);
}
inline void weightsFor(Corpus& c, std::vector<double>& w, std::size_t n) {
  if (c.g.chance(10)) return;
  const bool zero = c.g.chance(10);
  w.resize(n);
  for (double& e : w) e = zero ? 0.0 : c.g.chance(90) ? c.g.unit() * 2 : c.real();
}
ZR_COUPLING(mathCommon, alignVectors, 1000) {
  const std::size_t n = get<0>(a).size();
  if (c.g.chance(50)) {
    // a: b rotated by one quaternion, so the optimum is unique and exact.
    ZR::QuaD q{};
    make(c, q);
    sameLength(c, get<1>(a), n);
    for (std::size_t i = 0; i < n && i < get<1>(a).size(); ++i) ZR::mathCommon().quaRotatePoint(q, get<1>(a)[i], get<0>(a)[i]);
  } else {
    sameLength(c, get<1>(a), n);
  }
  weightsFor(c, get<2>(a), n);
}
ZR_COUPLING(mathCommon, quaMean, 1000) { weightsFor(c, get<1>(a), get<0>(a).size()); }

#undef ZR_COUPLING

}  // namespace zr_corpus
