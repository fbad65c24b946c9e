// Compares the library's elementary functions with MPFR (correctly rounded to nearest, with the
// double exponent range and subnormals) on special values, known hard-to-round arguments and N
// random arguments per function: half with uniformly random bit patterns (the whole domain),
// half in the ranges the library's operations use. Prints, per function, the number of results
// that are not the correctly rounded one, the largest error in ulps, and how often the rounding
// test was undecided. sinCos, acosSin and atan2Pair count as wrong wherever they differ in any
// bit from the separate functions (atan2Pair on both lanes, also on every combination of edge
// values).
// Exit status 1 if any result is not correctly rounded.
//   zr_elementary_mpfr [N per function, default 20000] [seed] [function name: only that one]
#include <mpfr.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "frame/elementary_functions.h"

extern unsigned long zr_elementary_undecided;

namespace {

std::uint64_t bitsOf(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}
double fromBits(std::uint64_t u) {
  double x;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

std::uint64_t state = 0x9e3779b97f4a7c15ULL;
std::uint64_t next() {  // splitmix64
  std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}
double uniform(double a, double b) { return a + (b - a) * (static_cast<double>(next() >> 11) * 0x1p-53); }
double anyDouble() {
  for (;;) {
    const double x = fromBits(next());
    if (!std::isnan(x)) return x;
  }
}

using Mp1 = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using Mp2 = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

struct Fn {
  const char* name;
  double (*ours1)(double);
  double (*ours2)(double, double);
  Mp1 mp1;
  Mp2 mp2;
  double lo, hi;  // the range the library's operations use
};

double reference(const Fn& f, double x, double y) {
  mpfr_t a, b, r;
  mpfr_inits2(53, a, b, r, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(a, x, MPFR_RNDN);
  mpfr_set_d(b, y, MPFR_RNDN);
  int t = f.mp1 ? f.mp1(r, a, MPFR_RNDN) : f.mp2(r, a, b, MPFR_RNDN);
  t = mpfr_check_range(r, t, MPFR_RNDN);
  mpfr_subnormalize(r, t, MPFR_RNDN);
  const double d = mpfr_get_d(r, MPFR_RNDN);
  mpfr_clears(a, b, r, static_cast<mpfr_ptr>(nullptr));
  return d;
}

/// |ours - exact| in ulps of the exact value's binade (subnormal ulp below 2^-1022).
double ulpError(const Fn& f, double x, double y, double ours) {
  if (std::isnan(ours) || std::isinf(ours)) return std::numeric_limits<double>::infinity();
  mpfr_t a, b, r, d;
  mpfr_inits2(300, a, b, r, d, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(a, x, MPFR_RNDN);
  mpfr_set_d(b, y, MPFR_RNDN);
  if (f.mp1) f.mp1(r, a, MPFR_RNDN); else f.mp2(r, a, b, MPFR_RNDN);
  mpfr_set_d(d, ours, MPFR_RNDN);
  mpfr_sub(d, d, r, MPFR_RNDN);
  mpfr_abs(d, d, MPFR_RNDN);
  long e = mpfr_zero_p(r) ? -1074 : mpfr_get_exp(r) - 53;  // r = m * 2^exp with m in [1/2, 1)
  if (e < -1074) e = -1074;
  mpfr_mul_2si(d, d, -e, MPFR_RNDN);
  const double u = mpfr_get_d(d, MPFR_RNDN);
  mpfr_clears(a, b, r, d, static_cast<mpfr_ptr>(nullptr));
  return u;
}

struct Tally {
  unsigned long n = 0, wrong = 0;
  double maxUlp = 0.0;
};

void check(const Fn& f, double x, double y, Tally& t) {
  const unsigned long undecidedBefore = zr_elementary_undecided;
  const double ours = f.ours1 ? f.ours1(x) : f.ours2(x, y);
  if (zr_elementary_undecided != undecidedBefore && zr_elementary_undecided <= 3)
    std::printf("  undecided: %s(%a%s%a)\n", f.name, x, f.ours2 ? ", " : "", f.ours2 ? y : 0.0);
  const double ref = reference(f, x, y);
  ++t.n;
  const bool same = (std::isnan(ours) && std::isnan(ref)) || bitsOf(ours) == bitsOf(ref);
  if (same) return;
  ++t.wrong;
  const double u = ulpError(f, x, y, ours);
  if (u > t.maxUlp) t.maxUlp = u;
  if (t.wrong <= 5)
    std::printf("  %s(%a%s%a) = %a, MPFR %a\n", f.name, x, f.ours2 ? ", " : "", f.ours2 ? y : 0.0, ours, ref);
}

double parseBinary(const char* s) {  // "-1.0101E3": binary mantissa, binary exponent in decimal
  bool neg = *s == '-';
  if (neg || *s == '+') ++s;
  double v = 0.0, scale = 1.0;
  bool frac = false;
  for (; *s && *s != 'E'; ++s) {
    if (*s == '.') { frac = true; continue; }
    if (frac) { scale *= 0.5; v += (*s == '1') * scale; } else { v = v * 2.0 + (*s == '1'); }
  }
  const int e = *s == 'E' ? std::atoi(s + 1) : 0;
  return (neg ? -1.0 : 1.0) * std::ldexp(v, e);
}

/// Every fourth sample of the library range of sin, cos, asin, acos, atan and atan2 instead
/// probes the edges of their fast paths: sin and cos up to |x| = 1100 and next to multiples of
/// pi/256 (zeros, table points and the midpoints between them), asin and acos next to +-1 and
/// to multiples of 1/512, atan and atan2 over wide exponent ranges.
void edgeCase(const char* name, double& x, double& y) {
  if (std::strcmp(name, "sin") == 0 || std::strcmp(name, "cos") == 0 || std::strncmp(name, "sinCos", 6) == 0) {
    if (next() & 1) {
      x = uniform(-1100.0, 1100.0);
    } else {
      const double k = static_cast<double>(static_cast<long>(next() % 90001) - 45000);
      const double offset = uniform(-1.0, 1.0) * std::ldexp(1.0, -static_cast<int>(next() % 60));
      x = k * (3.141592653589793 / 256) + offset;
    }
  } else if (std::strcmp(name, "asin") == 0 || std::strncmp(name, "acos", 4) == 0) {
    const double sign = (next() & 1) ? 1.0 : -1.0;
    if (next() & 1)
      x = (1.0 - std::ldexp(uniform(0.0, 1.0), -static_cast<int>(next() % 56))) * sign;
    else  // a few ulps from a multiple of 1/512: the ends of every table row are among them
      x = (static_cast<double>(next() % 513) / 512 + std::ldexp(uniform(-1.0, 1.0), -48 - static_cast<int>(next() % 8))) * sign;
  } else if (std::strcmp(name, "atan2Small") == 0) {
    // atan2(x, y) with y > 0 and |x/y| < 2^-27, mostly just below 2^-27, where t^3/3 moves the
    // rounding of about one quotient in eight
    y = std::ldexp(uniform(0.5, 1.0), static_cast<int>(next() % 1000) - 500);
    const int e = 27 + static_cast<int>((next() & 3) ? next() % 3 : next() % 900);
    x = std::ldexp(y * uniform(-1.0, 1.0), -e);
  } else if (std::strcmp(name, "atan2") == 0 || std::strcmp(name, "atan2Pair") == 0) {
    x = std::ldexp(uniform(-1.0, 1.0), static_cast<int>(next() % 1000) - 500);
    y = std::ldexp(uniform(-1.0, 1.0), static_cast<int>(next() % 1000) - 500);
  } else if (std::strcmp(name, "atan") == 0) {
    x = std::ldexp(uniform(-1.0, 1.0), static_cast<int>(next() % 140) - 70);
  }
}

/// What a combined entry point's check returns where it differs in any bit from the separate
/// functions (NaN payloads included): the wrong sign's infinity, which no check accepts.
double notThe(double expected) { return std::copysign(std::numeric_limits<double>::infinity(), expected < 0 ? 1.0 : -1.0); }

/// sinCos, one result at a time.
double sinCosSin(double x) {
  double s, c;
  zr_frame::sinCos(x, s, c);
  const double alone = zr_frame::sin(x);
  return bitsOf(s) == bitsOf(alone) ? s : notThe(alone);
}
double sinCosCos(double x) {
  double s, c;
  zr_frame::sinCos(x, s, c);
  const double alone = zr_frame::cos(x);
  return bitsOf(c) == bitsOf(alone) ? c : notThe(alone);
}

/// acosSin's sine, checked against MPFR's sine of the rounded arc cosine; its theta must be
/// acos's bits and its sine sin(theta)'s, or the result is an infinity as above.
double acosSinSin(double x) {
  double theta, s;
  zr_frame::acosSin(x, theta, s);
  const double alone = zr_frame::acos(x), sine = zr_frame::sin(alone);
  const bool same = bitsOf(theta) == bitsOf(alone) && bitsOf(s) == bitsOf(sine);
  return same ? s : notThe(sine);
}
int mpfrSinOfAcos(mpfr_ptr r, mpfr_srcptr a, mpfr_rnd_t rnd) {
  mpfr_t t;
  mpfr_init2(t, 53);
  mpfr_acos(t, a, MPFR_RNDN);
  const int ret = mpfr_sin(r, t, rnd);
  mpfr_clear(t);
  return ret;
}

/// atan2 through atan2Small where that decides; any bit different from atan2's counts as wrong.
unsigned long atan2SmallDecided = 0;
double atan2Small(double y, double x) {
  double out;
  const double alone = zr_frame::atan2(y, x);
  if (!zr_frame::atan2Small(y, x, out)) return alone;
  ++atan2SmallDecided;
  return bitsOf(out) == bitsOf(alone) ? out : notThe(alone);
}

/// Where atan2Pair's lanes part ways: zeros, infinities, NaN, subnormals, the ends of the fast
/// range 2^-256 <= |y|, |x| < 2^256 (on both sides), and equal magnitudes.
const double kPairEdges[] = {0.0, -0.0, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 0x1p-1074, -0x0.8p-1022, 0x1p-1022,
                             0x1p-256, -0x1p-256, 0x1.fffffffffffffp-257, -0x1.fffffffffffffp255, 0x1p256, -0x1p256,
                             1.0, -1.0, 0.7, -0x1.fffffffffffffp1023};

/// Both lanes of atan2Pair against atan2; false (and a line for the first few) if any bit differs.
unsigned long pairMismatches = 0;
bool pairSame(double y0, double x0, double y1, double x1, double& r0, double& r1) {
  zr_frame::atan2Pair(y0, x0, y1, x1, r0, r1);
  const double a0 = zr_frame::atan2(y0, x0), a1 = zr_frame::atan2(y1, x1);
  if (bitsOf(r0) == bitsOf(a0) && bitsOf(r1) == bitsOf(a1)) return true;
  if (++pairMismatches <= 5)
    std::printf("  atan2Pair(%a, %a, %a, %a) = %a, %a; atan2 %a, %a\n", y0, x0, y1, x1, r0, r1, a0, a1);
  return false;
}

/// atan2 through one lane of atan2Pair (which lane alternates) with the other lane's arguments
/// drawn here: a quarter from kPairEdges, a quarter anywhere, the rest over wide exponent ranges.
/// If either lane differs in any bit from atan2 the result is the wrong sign's infinity.
double atan2PairLane(double y, double x) {
  static unsigned long calls = 0;
  double y1, x1;
  switch (next() & 3) {
    case 0:
      y1 = kPairEdges[next() % (sizeof kPairEdges / sizeof kPairEdges[0])];
      x1 = kPairEdges[next() % (sizeof kPairEdges / sizeof kPairEdges[0])];
      break;
    case 1:
      y1 = anyDouble(), x1 = anyDouble();
      break;
    default:
      y1 = std::ldexp(uniform(-1.0, 1.0), static_cast<int>(next() % 600) - 300);
      x1 = std::ldexp(uniform(-1.0, 1.0), static_cast<int>(next() % 600) - 300);
  }
  double r, other;
  const bool same = (++calls & 1) ? pairSame(y, x, y1, x1, r, other) : pairSame(y1, x1, y, x, other, r);
  const double alone = zr_frame::atan2(y, x);
  return same ? r : notThe(alone);
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 20000;
  if (argc > 2) state = std::strtoull(argv[2], nullptr, 10);
  mpfr_set_emin(-1073);
  mpfr_set_emax(1024);

  const double pi = 3.141592653589793;
  const Fn fns[] = {
      {"sin", zr_frame::sin, nullptr, mpfr_sin, nullptr, -2 * pi, 2 * pi},
      {"cos", zr_frame::cos, nullptr, mpfr_cos, nullptr, -2 * pi, 2 * pi},
      {"sinCos.sin", sinCosSin, nullptr, mpfr_sin, nullptr, -2 * pi, 2 * pi},
      {"sinCos.cos", sinCosCos, nullptr, mpfr_cos, nullptr, -2 * pi, 2 * pi},
      {"asin", zr_frame::asin, nullptr, mpfr_asin, nullptr, -1.0, 1.0},
      {"acos", zr_frame::acos, nullptr, mpfr_acos, nullptr, -1.0, 1.0},
      {"acosSin.sin", acosSinSin, nullptr, mpfrSinOfAcos, nullptr, -1.0, 1.0},
      {"atan", zr_frame::atan, nullptr, mpfr_atan, nullptr, -100.0, 100.0},
      {"atan2", nullptr, zr_frame::atan2, nullptr, mpfr_atan2, -100.0, 100.0},
      {"atan2Small", nullptr, atan2Small, nullptr, mpfr_atan2, -100.0, 100.0},
      {"exp", zr_frame::exp, nullptr, mpfr_exp, nullptr, -50.0, 10.0},
      {"log", zr_frame::log, nullptr, mpfr_log, nullptr, 0.0, 100.0},
      {"pow", nullptr, zr_frame::pow, nullptr, mpfr_pow, 0.0, 1.0},
      {"sinh", zr_frame::sinh, nullptr, mpfr_sinh, nullptr, -20.0, 20.0},
      {"cosh", zr_frame::cosh, nullptr, mpfr_cosh, nullptr, -20.0, 20.0},
      {"tanh", zr_frame::tanh, nullptr, mpfr_tanh, nullptr, -20.0, 20.0},
      // last: its other lane draws random numbers too, which would move the samples of the rest
      {"atan2Pair", nullptr, atan2PairLane, nullptr, mpfr_atan2, -100.0, 100.0},
  };
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  const double specials[] = {0.0, -0.0, inf, -inf, nan, 1.0, -1.0, 0.5, -0.5, 2.0, -2.0, 3.0, -3.0,
                             0x1p-1074, -0x1p-1074, 0x1p-1022, 0x1.fffffffffffffp1023, -0x1.fffffffffffffp1023,
                             0x1p-30, 1e-300, 709.782712893384, 709.7827128933841, -745.1332191019411,
                             -745.1332191019412, -708.4, 710.4758600739439, 22.0, 19.06, 0x1p1023,
                             1.5707963267948966, 3.141592653589793, 6381956970095103.0 * 0x1p797,
                             0x1.921fb54442d18p1, 0x1.0000000000001p0, 0x1.fffffffffffffp-1, 0.25, 4.0, 0.125,
                             1.0000001, 1e10, -1e10, 1e22, 0x1.6a09e667f3bcdp0};
  // Hard-to-round arguments (Lefevre-Muller): exp on [-16,-8], [-8,-4], [-4,-2]; log on [1.648, 2980].
  const char* hardExp[] = {"-1.1110100010111101101111111100110110010001010001001110E3",
                           "-1.0111000111100000101110000110100110110101111001111001E2",
                           "-1.0000001000111001001111010101100101110110011101101001E1"};
  const double hardLog[] = {3767500756895095.0 / 8796093022208.0};
  // Where exp, log, pow and the hyperbolic functions switch between their fast and slower paths:
  // n/20 more arguments in each range (x, and y for pow).
  struct Edge {
    const char* name;
    double lo, hi, ylo, yhi;
  };
  const Edge edges[] = {{"exp", 707.9, 708.1, 0, 0},        {"exp", -708.1, -707.9, 0, 0},
                        {"exp", 0x1p-55, 0x1p-53, 0, 0},     {"log", 0.70, 0.71, 0, 0},
                        {"log", 1.40, 1.42, 0, 0},           {"log", 0.999, 1.001, 0, 0},
                        {"log", 0x1p-1022, 0x1p-1021, 0, 0}, {"pow", 2.7, 2.8, 61.0, 64.0},
                        {"pow", 2.7, 2.8, 695.0, 712.0},     {"pow", 0.999, 1.001, -1e5, 1e5},
                        {"sinh", 0.12, 0.13, 0, 0},          {"sinh", 707.0, 711.0, 0, 0},
                        {"cosh", 0x1p-27, 0x1p-25, 0, 0},    {"cosh", 707.0, 711.0, 0, 0},
                        {"tanh", 0.12, 0.13, 0, 0},          {"tanh", 21.9, 22.1, 0, 0}};

  int bad = 0;
  std::printf("%-10s %12s %10s %10s %10s\n", "fn", "arguments", "wrong", "max ulp", "undecided");
  for (const Fn& f : fns) {
    if (argc > 3 && std::strcmp(f.name, argv[3]) != 0) continue;
    Tally t;
    zr_elementary_undecided = 0;
    for (double x : specials) {
      if (f.ours2) {
        for (double y : specials) check(f, x, y, t);
      } else {
        check(f, x, 0.0, t);
      }
    }
    if (std::strcmp(f.name, "exp") == 0)
      for (const char* s : hardExp) check(f, parseBinary(s), 0.0, t);
    if (std::strcmp(f.name, "log") == 0)
      for (double x : hardLog) check(f, x, 0.0, t);
    // atan2Pair: every combination of four edge values in its two lanes, against atan2 alone
    if (std::strcmp(f.name, "atan2Pair") == 0) {
      for (double y0 : kPairEdges)
        for (double x0 : kPairEdges) {
          check(f, y0, x0, t);
          for (double y1 : kPairEdges)
            for (double x1 : kPairEdges) {
              double r0, r1;
              ++t.n;
              if (!pairSame(y0, x0, y1, x1, r0, r1)) ++t.wrong;
            }
        }
    }
    for (const Edge& e : edges)
      if (std::strcmp(f.name, e.name) == 0)
        for (long i = 0; i < n / 20; ++i) check(f, uniform(e.lo, e.hi), uniform(e.ylo, e.yhi), t);
    // Whole powers of odd integers, exact in 64 bits and then rounded once: to 53 bits, or into the
    // subnormals (11·2^-540 squared is 1.89·2^-1074).
    if (std::strcmp(f.name, "pow") == 0) {
      for (int k = 3; k < 100; k += 2)
        for (int e = 2; e <= 40; ++e) check(f, k, e, t);
      check(f, 11 * 0x1p-540, 2.0, t);
      check(f, 13 * 0x1p-540, 2.0, t);
    }
    for (long i = 0; i < n; ++i) {
      const bool whole = (i & 1) == 0;
      double x, y = 0.0;
      if (std::strcmp(f.name, "pow") == 0) {
        // whole domain: any x, y in a range that neither always overflows nor underflows;
        // library range: x in [0, 1], small integer exponents (Bezier weights), and real ones
        x = whole ? anyDouble() : uniform(f.lo, f.hi);
        y = whole ? uniform(-4.0, 4.0) * std::ldexp(1.0, static_cast<int>(next() % 20) - 10)
                  : ((i & 2) ? static_cast<double>(next() % 30) : uniform(-10.0, 10.0));
      } else if (f.ours2) {
        x = whole ? anyDouble() : uniform(f.lo, f.hi);
        y = whole ? anyDouble() : uniform(f.lo, f.hi);
      } else {
        x = whole ? anyDouble() : uniform(f.lo, f.hi);
        if (whole && (std::strcmp(f.name, "asin") == 0 || std::strncmp(f.name, "acos", 4) == 0))
          x = uniform(-1.0, 1.0) * std::ldexp(1.0, -static_cast<int>(next() % 60));
      }
      if ((i & 3) == 3 || (std::strcmp(f.name, "atan2Small") == 0 && (i & 1))) edgeCase(f.name, x, y);
      check(f, x, y, t);
    }
    std::printf("%-10s %12lu %10lu %10.3g %10lu\n", f.name, t.n, t.wrong, t.maxUlp, zr_elementary_undecided);
    if (t.wrong) bad = 1;
  }
  if (atan2SmallDecided) std::printf("atan2Small decided %lu arguments\n", atan2SmallDecided);
  if (pairMismatches) std::printf("atan2Pair: %lu calls differ from atan2\n", pairMismatches);
  return bad;
}
