// Correctly rounded elementary functions (see the header), in three stages:
//  1. fast path: double evaluation with a few exact products and sums, relative error < 2^-64;
//  2. double-double path, < 2^-93;
//  3. triple-double path, < 2^-130;
// each returns as soon as every value within its error bound rounds to the same double. The
// stages are deterministic, so which one decides does not change the bits.
//
// Error bounds. A double-double (dd) operation below has a relative error of at most 2^-104
// (two_sum/two_prod are exact; dd add is the accurate sum of Joldes-Muller-Popescu, bound 3u^2;
// dd mul about 5u^2; dd div about 10u^2, u = 2^-53). Each kernel chains at most a dozen such
// operations on quantities of one sign or with cancellation by a factor of at most 8, and the
// series tails (tools/elementary/gen_coefficients.py prints them) are below 2^-110, so the dd
// kernels are accurate to 2^-97 relative or better; the rounding test is given 2^-93 (2^-90
// plus |y log x| * 2^-96 for pow). The bounds of the fast paths are stated next to them. These
// are hand analyses; tests/elementary_functions checks every stage against MPFR.

#include "frame/elementary_functions.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "frame/elementary_tables.h"
#include "frame/elementary_tables_trig.h"
#include "frame/elementary_tables_explog.h"
#include "frame/elementary_tables_atan.h"
#include "frame/elementary_tables_asin.h"

#ifdef ZR_ELEMENTARY_STATS
// Counted only in the MPFR comparison program: how often the rounding test could not decide.
unsigned long zr_elementary_undecided = 0;
#define ZR_UNDECIDED() (++zr_elementary_undecided)
#else
#define ZR_UNDECIDED() ((void)0)
#endif

// The double-double primitives are small and called in long chains: always inlined.
#define ZR_INLINE inline __attribute__((always_inline))

namespace zr_frame {
namespace {

using tables::DD;

// ---- bits ------------------------------------------------------------------------------

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
bool isNan(double x) { return (bitsOf(x) & 0x7fffffffffffffffULL) > 0x7ff0000000000000ULL; }
double fabs_(double x) { return fromBits(bitsOf(x) & 0x7fffffffffffffffULL); }
/// x with the low 27 bits of its significand cleared: 26 significant bits, and x minus it is exact.
constexpr std::uint64_t kHigh26Mask = ~0x7ffffffULL;
ZR_INLINE double high26(double x) { return fromBits(bitsOf(x) & kHigh26Mask); }
bool signBit(double x) { return (bitsOf(x) >> 63) != 0; }
double withSign(double mag, bool negative) { return negative ? -mag : mag; }
/// 2^n for -1022 <= n <= 1023.
double pow2(int n) { return fromBits(static_cast<std::uint64_t>(n + 1023) << 52); }
/// x * 2^n, exact whenever the result is representable (scaled in steps that stay normal).
double scale(double x, int n) {
  while (n > 1000) { x *= pow2(1000); n -= 1000; }
  while (n < -1000) { x *= pow2(-1000); n += 1000; }
  // one last step; for a subnormal result it rounds only if the result is not representable
  if (n < -1022) { x *= pow2(-1022); n += 1022; }
  return x * pow2(n);
}

constexpr double kInf = __builtin_inf();
constexpr double kNaN = __builtin_nan("");

// ---- double-double arithmetic ------------------------------------------------------------

ZR_INLINE DD twoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}
ZR_INLINE DD fastTwoSum(double a, double b) {  // |a| >= |b| or a == 0
  const double s = a + b;
  return {s, b - (s - a)};
}
// Veltkamp split and Dekker product: exact a*b = hi + lo for |a|,|b| < 2^995.
ZR_INLINE void split(double a, double& hi, double& lo) {
  const double t = 134217729.0 * a;
  hi = t - (t - a);
  lo = a - hi;
}
ZR_INLINE DD twoProd(double a, double b) {
  const double p = a * b;
  double ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}
ZR_INLINE DD add(DD a, DD b) {
  DD s = twoSum(a.hi, b.hi);
  const DD t = twoSum(a.lo, b.lo);
  s.lo += t.hi;
  s = fastTwoSum(s.hi, s.lo);
  s.lo += t.lo;
  return fastTwoSum(s.hi, s.lo);
}
ZR_INLINE DD add(DD a, double b) {
  DD s = twoSum(a.hi, b);
  s.lo += a.lo;
  return fastTwoSum(s.hi, s.lo);
}
ZR_INLINE DD neg(DD a) { return {-a.hi, -a.lo}; }
ZR_INLINE DD mul(DD a, DD b) {
  DD p = twoProd(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return fastTwoSum(p.hi, p.lo);
}
ZR_INLINE DD mul(DD a, double b) {
  DD p = twoProd(a.hi, b);
  p.lo += a.lo * b;
  return fastTwoSum(p.hi, p.lo);
}
DD div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  DD r = add(a, neg(mul(b, q1)));
  const double q2 = r.hi / b.hi;
  r = add(r, neg(mul(b, q2)));
  const double q3 = r.hi / b.hi;
  return add(fastTwoSum(q1, q2), q3);
}
DD sqrtDD(DD a) {
  const double s = __builtin_sqrt(a.hi);
  const DD p = twoProd(s, s);
  const double r = (((a.hi - p.hi) - p.lo) + a.lo) / (s * 2.0);
  return fastTwoSum(s, r);
}

// ---- final rounding ----------------------------------------------------------------------

/// Sets out to the double nearest to (v.hi + v.lo) * 2^k and returns true when every value
/// within rel*|v| of v rounds to it (so it is the double nearest to the exact value, which lies
/// within that bound); v.hi != 0. Subnormal and overflowing results are rounded once, on their
/// own grid.
bool tryRound(DD v, int k, double rel, double& out) {
  v = fastTwoSum(v.hi, v.lo);
#ifdef ZR_ELEMENTARY_LAST_STAGE
  // test build: every double-double test fails, so the triple-double stage decides where it exists
  if (k >= -1000 && rel < 1.0) rel = 1.0;
#endif
  const double ah = fabs_(v.hi);
  // v is within [2^-3, 4] here, so only k < -1000 can give a subnormal result.
  const double tiny = k < -1000 ? pow2(-1022 - k) : 0.0;
  if (k >= -1000 || ah > tiny) {
    // Normal result (or overflow): round v on the 53-bit grid, then scale exactly.
    const double err = ah * (rel + 0x1p-104);
    const double a = v.hi + (v.lo - err);
    const double b = v.hi + (v.lo + err);
    out = scale(v.hi + v.lo, k);
    return a == b;
  }
  // Subnormal result: add the scaled smallest normal so that the sum is rounded on the
  // subnormal grid, then take it away again (exact) and scale.
  const double c = withSign(tiny, v.hi < 0);
  const DD s = twoSum(c, v.hi);
  const double l = s.lo + v.lo;
  const double err = ah * rel + fabs_(l) * 0x1p-50;
  const double a = s.hi + (l - err);
  const double b = s.hi + (l + err);
  out = scale((s.hi + l) - c, k);
  return a == b;
}

/// The last stage: the rounded value; an undecided test is counted (in the MPFR program).
double roundDD(DD v, int k, double rel) {
  double out;
  if (!tryRound(v, k, rel, out)) ZR_UNDECIDED();
  return out;
}

// ---- exp ---------------------------------------------------------------------------------

/// exp(x.hi + x.lo) = v * 2^k for |x| <= 746, v in [0.99, 2.01], relative error < 2^-100.
DD expCore(DD x, int& k) {
  const double t = x.hi * tables::kExpInvL;
  const int n = static_cast<int>(t < 0 ? t - 0.5 : t + 0.5);
  const double nf = n;
  // r = x - n*ln2/128: n*L1 is exact and x.hi - n*L1 is taken exactly by two_sum.
  DD r = twoSum(x.hi, -(nf * tables::kExpL1));
  r = add(r, x.lo);
  r = add(r, neg(twoProd(nf, tables::kExpL2)));
  r = add(r, -(nf * tables::kExpL3));
  // exp(r) - Taylor, degrees 10..5 in double (they are below 2^-49 in size), 4..0 in dd.
  const double rh = r.hi;
  double h = tables::kInvFact[10].hi;
  for (int i = 9; i >= 5; --i) h = h * rh + tables::kInvFact[i].hi;
  DD p = add(mul(r, h), tables::kInvFact[4]);
  p = add(mul(r, p), tables::kInvFact[3]);
  p = add(mul(r, p), 0.5);
  p = add(mul(r, p), 1.0);
  p = add(mul(r, p), 1.0);
  const int j = ((n % 128) + 128) % 128;
  k = (n - j) / 128;
  return mul(tables::kExp2[j], p);
}

/// Fast path: exp(x) = v * 2^k with relative error < 2^-68 (r to 2^-79 absolute, the degree-6
/// Taylor tail 2^-71.8, the rounding of q 2^-70, the final sums 2^-100).
DD expFast(double x, int& k, double xlo = 0.0) {
  const double t = x * tables::kExpInvL;
  const int n = static_cast<int>(t < 0 ? t - 0.5 : t + 0.5);
  const double nf = n;
  const double a = x - nf * tables::kExpL1;  // exact
  const DD r = twoSum(a, -(nf * tables::kExpL2));
  const double rl = (r.lo + xlo) - nf * tables::kExpL3;
  const double rh = r.hi;
  const double q = (rh * rh) * (0.5 + rh * (tables::kInvFact[3].hi + rh * (tables::kInvFact[4].hi +
                   rh * (tables::kInvFact[5].hi + rh * tables::kInvFact[6].hi))));
  const DD p = fastTwoSum(rh, rl + (q + rh * rl));  // exp(rh + rl) - 1 = rh + q + rl (1 + rh) + ...
  const int j = ((n % 128) + 128) % 128;
  k = (n - j) / 128;
  const DD T = tables::kExp2[j];
  const DD m = twoProd(T.hi, p.hi);
  const DD sum = fastTwoSum(T.hi, m.hi);
  const double tail = sum.lo + (m.lo + (T.hi * p.lo + (T.lo + T.lo * p.hi)));
  return {sum.hi, tail};
}

#ifdef ZR_ELEMENTARY_LAST_STAGE
constexpr bool kExpLogFastPaths = false;  // test build: the later stages decide everything
#else
constexpr bool kExpLogFastPaths = true;
#endif

/// The fast path of exp: exp(x + xl) = (hi + lo) * 2^k for |x| < 708.5, |xl| <= 2^-40 (xl is
/// left out when kWithLow is false), with hi in [0.99, 2.01] returned and lo set; scaleBits =
/// k << 52 (mod 2^64), which scaleFactor turns into 2^k. Relative error < 2^-67
/// + |xl| 2^-17 (hand bound, in units of 2^-70: Taylor tail of degree 6 on |r| <= 2^-8.47 0.66,
/// the rounding of q 2.14, of T.hi*q 0.54, using rh for p in T.lo*p 0.57, the sums of lo 0.6,
/// rh*rl left out 0.71, the other terms below 0.1). n = round(x*128/ln2) comes
/// from adding 1.5*2^52, whose low bits then hold n: no conversion, no branch.
///
/// kBigLow: |x| < 64 and |xl| <= 2^-13, n taken from x alone, so |r| <= 2^-8.43 (the tail
/// grows to 2^-71.3, p1 still has 27 bits at most); xl - n*L2 is rounded once (at most
/// 2^-53 |xl| + 2^-82, for the caller to count) and joined to x - n*L1 exactly. Bound < 2^-67
/// plus that rounding.
template <bool kWithLow, bool kBigLow = false>
ZR_INLINE double expParts(double x, double xl, double& lo, std::uint64_t& scaleBits) {
  constexpr double kShift = 0x1.8p52;
  const double t = x * tables::kExpInvL + kShift;
  const double nf = t - kShift;
  const std::uint64_t nb = bitsOf(t);
  const std::uint64_t j = nb & 127u;
  const explog::ExpEntry& T = explog::kExpTab[j];
  // r = x - n*ln2/128 = rh + rl: n*L1 is exact (|n| < 2^17) and so is x - n*L1 (Sterbenz);
  // the fast two-sum is exact unless |x - n*L1| < |n*L2| <= 2^-26, where its error is < 2^-77.
  const DD r = kBigLow ? twoSum(x - nf * tables::kExpL1, xl - nf * tables::kExpL2)
                       : fastTwoSum(x - nf * tables::kExpL1, -(nf * tables::kExpL2));
  const double rh = r.hi;
  constexpr bool kLowApart = kWithLow && !kBigLow;
  // n*L3 (below 2^-81) is left out: L1 + L2 is ln2/128 to 2^-98 relative
  const double rl = kLowApart ? r.lo + xl : r.lo;
  // exp(r) - 1 = rh + q + rl (1 + rh) + ..., q = exp(rh) - 1 - rh to degree 6 (Estrin's scheme)
  const double r2 = rh * rh;
  const double poly = (0.5 + rh * tables::kInvFact[3].hi) +
                      r2 * ((tables::kInvFact[4].hi + rh * tables::kInvFact[5].hi) + r2 * tables::kInvFact[6].hi);
  // p1 = rh rounded to a multiple of 2^-35 (27 bits at most), so T.h1 * p1 is exact
  const double p1 = (rh + 0x1.8p17) - 0x1.8p17;
  // rh*rl is below 2^-70.5 unless xl is there
  const double rest = (rh - p1) + (kLowApart ? rl + rh * rl : rl);
  // T (1 + p) = T.hi + T.h1 p1 + [T.h2 p1 + T.hi rest + T.lo (1 + p)] + (T.hi r2) poly: all but
  // the last term are ready while poly is evaluated (q = r2 poly, T.hi q to 5 ulps as before)
  const DD s = fastTwoSum(T.hi, T.h1 * p1);
  lo = (s.lo + ((T.h2 * p1 + T.hi * rest) + (T.lo + T.lo * rh))) + (T.hi * r2) * poly;
  // (n - j) / 128 = k; bits(t) - j = bias + 128 k, and bias << 45 vanishes mod 2^64
  scaleBits = (nb - j) << 45;
  return s.hi;
}

/// 2^k as a double from scaleBits = k << 52 (mod 2^64), |k| < 1023.
ZR_INLINE double scaleFactor(std::uint64_t scaleBits) { return fromBits(0x3ff0000000000000ULL + scaleBits); }

// ---- log ---------------------------------------------------------------------------------

/// The reduction of the double-double and triple-double logs: x = 2^e * m / c with m in
/// [0.707, 1.414], c = kLogC[i - kLogFirst] near 1/m, and r = m*c - 1 exactly (m*c = p + q
/// exactly, and p - 1 is exact as p is within 2^-7 of 1); subnormal x are scaled first.
DD logReduce(double x, int& e, int& i) {
  e = 0;
  if (x < 0x1p-1022) {
    x *= 0x1p54;
    e = -54;
  }
  const std::uint64_t u = bitsOf(x);
  e += static_cast<int>(u >> 52) - 1023;
  double m = fromBits((u & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL);
  if (m > 0x1.6a09e667f3bcdp0) {
    m *= 0.5;
    ++e;
  }
  i = static_cast<int>(m * 256.0 + 0.5);
  const DD pq = twoProd(m, tables::kLogC[i - tables::kLogFirst]);
  return twoSum(pq.hi - 1.0, pq.lo);
}

/// log(x) for positive finite x, relative error < 2^-100 (absolute near x = 1 is relative too).
DD logCore(double x) {
  int e, i;
  const DD r = logReduce(x, e, i);
  // log1p(r) = r * (1 - r/2 + r^2/3 - ...): degrees 14..8 in double, the rest in dd.
  const double rh = r.hi;
  double h = -tables::kInv[14].hi;
  for (int k = 13; k >= 8; --k) h = h * rh + ((k & 1) ? tables::kInv[k].hi : -tables::kInv[k].hi);
  DD s = add(mul(r, h), tables::kInv[7]);
  for (int k = 6; k >= 2; --k) s = add(mul(r, s), (k & 1) ? tables::kInv[k] : neg(tables::kInv[k]));
  s = add(mul(r, s), 1.0);
  DD l = mul(r, s);
  l = add(l, tables::kLogNegLogC[i - tables::kLogFirst]);
  if (e != 0) l = add(mul(tables::kLn2, static_cast<double>(e)), l);
  return l;
}

/// Fast path: log(x) for positive normal x, relative error < 2^-68 (series tail r^9/9 < 2^-71
/// relative to r, its rounding 2^-71.6, ln2 to 2^-96, the sums exact or 2^-100).
DD logFast(double x) {
  const std::uint64_t u = bitsOf(x);
  int e = static_cast<int>(u >> 52) - 1023;
  double m = fromBits((u & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL);
  if (m > 0x1.6a09e667f3bcdp0) {
    m *= 0.5;
    ++e;
  }
  const int i = static_cast<int>(m * 256.0 + 0.5);
  const double c = tables::kLogC[i - tables::kLogFirst];
  const DD pq = twoProd(m, c);
  const DD r = twoSum(pq.hi - 1.0, pq.lo);
  const double rh = r.hi;
  // log1p(r) = r - r^2/2 + r^3 (1/3 - r/4 + ... - r^5/8): r^2/2 exactly, the rest in double.
  const DD sq = twoProd(rh, rh);
  const double q = (rh * sq.hi) * (tables::kInv[3].hi + rh * (-0.25 + rh * (tables::kInv[5].hi + rh * (
                   -tables::kInv[6].hi + rh * (tables::kInv[7].hi - rh * 0.125)))));
  const DD L = tables::kLogNegLogC[i - tables::kLogFirst];
  const double ef = e;
  const DD t1 = twoSum(ef * tables::kLn2A, L.hi);  // e*kLn2A is exact
  const DD t2 = twoSum(t1.hi, rh);
  const DD t3 = twoSum(t2.hi, -0.5 * sq.hi);
  const double lo = ((t1.lo + t2.lo) + t3.lo) +
                    ((ef * tables::kLn2B + L.lo) + ((r.lo - rh * r.lo) + (q - 0.5 * sq.lo)));
  return fastTwoSum(t3.hi, lo);
}

/// The fast path of log for positive normal x (u = bits of x): log(x) = hi + lo, hi returned.
/// x = 2^k z with z in [0.705, 1.41), found on the bits alone, so z near 1 has k = 0;
/// log x = k ln2 - log(c) + log1p(r), r = z c - 1 = r1 + r2 exactly (c has 12 bits, see the
/// table). kFar is k != 0, where |log x| > 0.34 and an absolute error of 2^-70.7 does (the
/// degree-6 tail 2^-71.8, r^2 rounded once 2^-73.7, the sums of lo about 2^-72, the rest below
/// 2^-78): relative error < 2^-69. For k = 0, |log x| > 2^-10.6 off the interval of 1 and every
/// rounding is below 2^-81 there; on the interval of 1, r = x - 1, r^2/2 is exact as
/// h1^2/2 + h2 (rh + h1)/2, and the rounding of the cubic term, 5 ulps of r^3/3, is 2^-73
/// relative, the degree-7 tail 2^-77: relative error < 2^-69 as well. The terms are summed
/// so that the last to be ready (the polynomial's) come last.
template <bool kFar>
ZR_INLINE double logParts(std::uint64_t u, double& lo) {
  const std::uint64_t tmp = u - explog::kLogOff;
  const int k = static_cast<int>((tmp >> 52) ^ 0x800u) - 0x800;  // top 12 bits, two's complement
  const explog::LogEntry& E = explog::kLogTab[(tmp >> 43) & 511u];
  const std::uint64_t iz = u - (tmp & 0xfff0000000000000ULL);
  // z = zh + zl, zh with 41 bits: zh*c and zh*c - 1 are exact, and so is zl*c (24 bits)
  const double z = fromBits(iz), zh = fromBits(iz & ~std::uint64_t{0xfff});
  const double r1 = zh * E.c - 1.0, r2 = (z - zh) * E.c;  // |r1| < 2^-9.85, |r2| < 2^-40
  const double kf = k;
  // k*ln2A + lh is exact (multiples of 2^-42 below 2^10); its exponent is not below r's
  // (for k = 0 the table checks it), so the fast two-sums are exact.
  const double A = kf * explog::kLogLn2A + E.lh;
  const double K = kf * explog::kLogLn2B + E.ll;
  if (kFar) {
    // log1p(r1 + r2) = log1p(r1) + r2 (1 - r1)(1 + r1^2) + O(2^-75)
    const DD s1 = fastTwoSum(A, r1);
    const double q2 = r1 * r1, r3 = q2 * r1;
    const double t1 = r3 * (tables::kInv[3].hi - 0.25 * r1);
    const double t2 = (r3 * q2) * (tables::kInv[5].hi - tables::kInv[6].hi * r1);
    const double small = (s1.lo + K) + (r2 * (1.0 - r1)) * (1.0 + q2);
    lo = ((small - 0.5 * q2) + t1) + t2;
    return s1.hi;
  }
  const DD r = fastTwoSum(r1, r2);  // exact: |r2| < 2^-40 and r1 is a multiple of 2^-52
  const double rh = r.hi, rl = r.lo;
  const DD s1 = fastTwoSum(A, rh);
  const double q2 = rh * rh;
  // rh^2 = h1^2 + h2 (rh + h1), h1 = rh rounded to a multiple of 2^-34 (26 bits): h1^2 exact
  const double h1 = (rh + 0x1.8p18) - 0x1.8p18, h2 = rh - h1;
  const DD s2 = fastTwoSum(s1.hi, -0.5 * (h1 * h1));
  // log1p(r) - r + r^2/2 = r^3 (1/3 - r/4 + ... + r^4/7) (Estrin's scheme)
  const double cubic = (q2 * rh) * ((tables::kInv[3].hi - 0.25 * rh) +
                                    q2 * ((tables::kInv[5].hi - tables::kInv[6].hi * rh) + q2 * tables::kInv[7].hi));
  const double small = (s1.lo + K) + (rl - rh * rl);
  lo = (s2.lo + small) + (cubic - 0.5 * (h2 * (rh + h1)));
  return s2.hi;
}

// ---- triple-double stage for exp, log and pow --------------------------------------------
//
// Taken only when the double-double result lies within 2^-93 of a rounding boundary (about one
// argument in 2^40; the known hard cases of exp need 2^-113). Every operation below is an exact
// two_sum/two_prod chain with the smallest terms rounded, relative error < 2^-145; the kernels
// chain fewer than 40 of them, so 2^-135 is a safe bound (2^-130 plus |y log x| * 2^-132 for pow).

struct TD {
  double h, m, l;
};

TD renorm(double a, double b, double c) {  // exact: h + m + l = a + b + c
  const DD s = twoSum(b, c);
  const DD h = twoSum(a, s.hi);
  const DD m = twoSum(h.lo, s.lo);
  const DD hh = twoSum(h.hi, m.hi);
  const DD mm = twoSum(hh.lo, m.lo);
  return {hh.hi, mm.hi, mm.lo};
}
TD tdAdd(TD a, TD b) {
  const DD s0 = twoSum(a.h, b.h), s1 = twoSum(a.m, b.m), s2 = twoSum(a.l, b.l);
  const DD t1 = twoSum(s0.lo, s1.hi), t2 = twoSum(s1.lo, s2.hi);
  return renorm(s0.hi, t1.hi, t1.lo + (t2.hi + (t2.lo + s2.lo)));
}
TD tdNeg(TD a) { return {-a.h, -a.m, -a.l}; }
TD tdMul(TD a, TD b) {
  const DD p0 = twoProd(a.h, b.h), p1 = twoProd(a.h, b.m), p2 = twoProd(a.m, b.h);
  const double small = ((a.h * b.l + a.m * b.m) + a.l * b.h) + (p1.lo + p2.lo);
  const DD mid = twoSum(p1.hi, p2.hi);
  const DD t = twoSum(p0.lo, mid.hi);
  return renorm(p0.hi, t.hi, t.lo + (mid.lo + small));
}
TD tdMul(TD a, double b) {
  const DD p0 = twoProd(a.h, b), p1 = twoProd(a.m, b);
  const DD t = twoSum(p0.lo, p1.hi);
  return renorm(p0.hi, t.hi, t.lo + (p1.lo + a.l * b));
}
TD td(DD a, double third) { return {a.hi, a.lo, third}; }

/// Sets out to the double nearest to (h + m + l) * 2^k when no value within rel of v lies on the
/// other side of a rounding boundary; normal results only (k >= -1000).
bool tryRoundTD(TD v, int k, double rel, double& out) {
  if (k < -1000) return false;
  v = renorm(v.h, v.m, v.l);
  v = renorm(v.h, v.m, v.l);
  const bool negative = v.h < 0;
  if (negative) v = tdNeg(v);
  const DD cm = twoSum(v.h, v.m);
  const double c = cm.hi;
  if (!(c > 0.0) || c == kInf) return false;
  const double upper = fromBits(bitsOf(c) + 1), lower = fromBits(bitsOf(c) - 1);
  const double up = (upper - c) * 0.5, dn = (c - lower) * 0.5;
  const double err = c * rel * 2.0;
  // distance to the boundaries: d1 - up is exact when d1 is near up (Sterbenz), otherwise far
  const double toUp = (cm.lo - up) + v.l, toDn = (cm.lo + dn) + v.l;
  double r;
  if (toUp < -err && toDn > err) r = c;
  else if (toUp > err) r = upper;
  else if (toDn < -err) r = lower;
  else return false;
  out = scale(negative ? -r : r, k);
  return true;
}

TD expTD(TD x, int& k) {
  const double nf = static_cast<double>(static_cast<int>(x.h * tables::kExpInvL + (x.h < 0 ? -0.5 : 0.5)));
  TD r = renorm(x.h - nf * tables::kExpL1, x.m, x.l);
  const DD p2 = twoProd(nf, tables::kExpL2), p3 = twoProd(nf, tables::kExpL3);
  r = tdAdd(r, {-p2.hi, -p2.lo, 0.0});
  r = tdAdd(r, {-p3.hi, -p3.lo, -(nf * tables::kExpL4)});
  TD p = td(tables::kInvFact[14], tables::kInvFactT[14]);
  for (int i = 13; i >= 0; --i) p = tdAdd(tdMul(p, r), td(tables::kInvFact[i], tables::kInvFactT[i]));
  const int n = static_cast<int>(nf);
  const int j = ((n % 128) + 128) % 128;
  k = (n - j) / 128;
  return tdMul(td(tables::kExp2[j], tables::kExp2T[j]), p);
}

TD logTD(double x) {
  int e, i;
  const DD r2 = logReduce(x, e, i);
  const TD r{r2.hi, r2.lo, 0.0};
  auto coef = [](int k2) {
    const TD c = td(tables::kInv[k2], tables::kInvT[k2]);
    return (k2 & 1) ? c : tdNeg(c);
  };
  TD s = coef(19);
  for (int k2 = 18; k2 >= 1; --k2) s = tdAdd(tdMul(s, r), coef(k2));
  TD l = tdMul(s, r);
  l = tdAdd(l, td(tables::kLogNegLogC[i - tables::kLogFirst], tables::kLogNegLogCT[i - tables::kLogFirst]));
  if (e != 0) l = tdAdd(tdMul(td(tables::kLn2, tables::kLn2T), static_cast<double>(e)), l);
  return l;
}

// ---- sin, cos ----------------------------------------------------------------------------

void mul64(std::uint64_t a, std::uint64_t b, std::uint64_t& hi, std::uint64_t& lo) {
  const std::uint64_t a0 = a & 0xffffffffULL, a1 = a >> 32, b0 = b & 0xffffffffULL, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t mid = (p00 >> 32) + (p01 & 0xffffffffULL) + (p10 & 0xffffffffULL);
  lo = (mid << 32) | (p00 & 0xffffffffULL);
  hi = p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32);
}

/// 64 bits of 2/pi starting at bit pos (bit 1 is the first after the binary point; bits at
/// positions <= 0 are zero).
std::uint64_t twoOverPiBits(int pos) {
  const int p = pos - 1 + 128;  // two words of zeros in front
  const int idx = p / 64, sh = p % 64;
  auto word = [](int j) -> std::uint64_t { return j < 2 ? 0 : tables::kTwoOverPiBits[j - 2]; };
  return sh == 0 ? word(idx) : (word(idx) << sh) | (word(idx + 1) >> (64 - sh));
}

/// Payne-Hanek: |x| = (q + f) * pi/2 with f in [-1/2, 1/2]: sets q mod 4, the sign of f and
/// |f| as a 256-bit fraction F[1..4] (most significant first), accurate to 2^-200.
void payneHanek(double ax, int& q, bool& negative, std::uint64_t (&F)[5]) {
  const std::uint64_t u = bitsOf(ax);
  const int e2 = static_cast<int>(u >> 52) - 1075;  // ax = m * 2^e2
  const std::uint64_t m = (u & 0x000fffffffffffffULL) | 0x0010000000000000ULL;
  // Bits from position e2 - 1 on: earlier bits give multiples of 4 and drop out.
  const int i0 = e2 - 1;
  std::uint64_t b[4];
  for (int w = 0; w < 4; ++w) b[w] = twoOverPiBits(i0 + 64 * w);
  // Q = m * B, five words, Q[0] most significant; value = Q * 2^-256.
  std::uint64_t Q[5] = {0, 0, 0, 0, 0};
  std::uint64_t carry = 0;
  for (int w = 3; w >= 0; --w) {
    std::uint64_t hi, lo;
    mul64(m, b[w], hi, lo);
    lo += carry;
    hi += lo < carry ? 1 : 0;
    Q[w + 1] = lo;
    carry = hi;
  }
  Q[0] = carry;
  // value = Q * 2^-254: the integer part mod 4 is the top two bits of Q[1] (Q[0] counts
  // multiples of 4); the fraction is the rest, shifted into F[1..4].
  q = static_cast<int>(Q[1] >> 62);
  F[0] = 0;
  F[1] = (Q[1] << 2) | (Q[2] >> 62);
  F[2] = (Q[2] << 2) | (Q[3] >> 62);
  F[3] = (Q[3] << 2) | (Q[4] >> 62);
  F[4] = Q[4] << 2;
  negative = false;
  if (F[1] >> 63) {  // fraction >= 1/2: take f - 1
    negative = true;
    q = (q + 1) & 3;
    // two's complement of the 256-bit fraction
    std::uint64_t c = 1;
    for (int w = 4; w >= 1; --w) {
      F[w] = ~F[w] + c;
      c = (c && F[w] == 0) ? 1 : 0;
    }
  }
}

/// The 32-bit piece p (0 = most significant) of F, scaled to its place: exact.
double fractionPiece(const std::uint64_t (&F)[5], int piece) {
  const std::uint64_t w = F[1 + piece / 2];
  return static_cast<double>(static_cast<std::uint32_t>(piece % 2 ? w : w >> 32)) * scale(1.0, -32 * (piece + 1));
}

DD reduceLarge(double ax, int& q) {
  bool negative;
  std::uint64_t F[5];
  payneHanek(ax, q, negative, F);
  // |f| as dd: sum the 32-bit pieces from the least significant up (all positive).
  DD f{0.0, 0.0};
  for (int piece = 7; piece >= 0; --piece) f = add(f, fractionPiece(F, piece));
  DD r = mul(f, tables::kPio2);
  return negative ? neg(r) : r;
}

/// x = q*pi/2 + r, |r| <= pi/4 (a little more), relative error of r < 2^-101.
DD reduce(double x, int& q) {
  const double ax = fabs_(x);
  DD r;
  bool done = false;
  if (ax < 0x1p20) {
    const double t = ax * tables::kTwoOverPi;
    const double kf = static_cast<double>(static_cast<int>(t + 0.5));
    // Cody-Waite: kf*C1 and kf*C2 are exact, ax - kf*C1 is exact (Sterbenz).
    r = twoSum(ax - kf * tables::kPio2C1, -(kf * tables::kPio2C2));
    if (fabs_(r.hi) > 0x1p-12 && kf < 64.0) {
      // |kf*C3| < 2^-60 and its rounding error below 2^-113: r to 2^-100 relative
      r = fastTwoSum(r.hi, r.lo - kf * tables::kPio2C3);
    } else {
      r = add(r, neg(twoProd(kf, tables::kPio2C3)));
      r = add(r, -(kf * tables::kPio2C4));
    }
    if (fabs_(r.hi) > 0x1p-30) {
      q = static_cast<int>(kf) & 3;
      done = true;
    }
  }
  if (!done) r = reduceLarge(ax, q);
  if (signBit(x)) {
    r = neg(r);
    q = (4 - q) & 3;
  }
  return r;
}

/// sin r and cos r for |r| <= pi/4 + 2^-20, relative errors < 2^-100.
void sinCosCore(DD r, DD& s, DD& c) {
  const bool negative = r.hi < 0;
  if (negative) r = neg(r);
  const int j = static_cast<int>(r.hi * 64.0 + 0.5);
  const DD t = add(twoSum(r.hi, -j * 0.015625), r.lo);  // |t| <= 1/128, r.hi - j/64 exact
  const DD t2 = mul(t, t);
  const double t2h = t2.hi;
  // sin t = t * (1 - t^2/3! + ...): degrees 11..7 in double, 5..1 in dd.
  double h = -tables::kInvFact[11].hi;
  h = h * t2h + tables::kInvFact[9].hi;
  h = h * t2h - tables::kInvFact[7].hi;
  DD ps = add(mul(t2, h), tables::kInvFact[5]);
  ps = add(mul(t2, ps), neg(tables::kInvFact[3]));
  ps = add(mul(t2, ps), 1.0);
  const DD st = mul(t, ps);
  // cos t = 1 - t^2/2! + ...: degrees 10 and 8 in double, 6..0 in dd.
  double g = -tables::kInvFact[10].hi;
  g = g * t2h + tables::kInvFact[8].hi;
  DD pc = add(mul(t2, g), neg(tables::kInvFact[6]));
  pc = add(mul(t2, pc), tables::kInvFact[4]);
  pc = add(mul(t2, pc), -0.5);
  const DD ct = add(mul(t2, pc), 1.0);
  if (j == 0) {
    s = st;
    c = ct;
  } else {
    s = add(mul(tables::kSinTab[j], ct), mul(tables::kCosTab[j], st));
    c = add(mul(tables::kCosTab[j], ct), neg(mul(tables::kSinTab[j], st)));
  }
  if (negative) s = neg(s);
}

/// Fast path: sin r and cos r for |r| <= pi/4 + 2^-20, relative errors < 2^-66 (Taylor tails
/// 2^-74 and 2^-91 relative, roundings of the small terms below 2^-67).
DD sinCosFast(DD r, bool wantCos) {
  const bool negative = r.hi < 0;
  if (negative) r = neg(r);
  const int j = static_cast<int>(r.hi * 64.0 + 0.5);
  const double th = r.hi - j * 0.015625;  // exact
  const double tl = r.lo;
  const double t2 = th * th;
  // sin t = th + stl, cos t = 1 + cm
  const double stl = tl + (th * t2) * (-tables::kInvFact[3].hi + t2 * (tables::kInvFact[5].hi +
                     t2 * (-tables::kInvFact[7].hi + t2 * tables::kInvFact[9].hi)));
  const double cm = t2 * (-0.5 + t2 * (tables::kInvFact[4].hi + t2 * (-tables::kInvFact[6].hi +
                    t2 * tables::kInvFact[8].hi))) - th * tl;
  if (j == 0) {
    if (wantCos) return fastTwoSum(1.0, cm);
    const DD s = fastTwoSum(th, stl);
    return negative ? neg(s) : s;
  }
  const DD S = tables::kSinTab[j], C = tables::kCosTab[j];
  if (wantCos) {
    const DD d = twoProd(S.hi, th);
    const DD cs = twoSum(C.hi, -d.hi);
    return fastTwoSum(cs.hi, cs.lo + (-d.lo + (C.hi * cm - (S.hi * stl + (S.lo * th - C.lo)))));
  }
  const DD b = twoProd(C.hi, th);
  const DD ss = twoSum(S.hi, b.hi);
  const DD s = fastTwoSum(ss.hi, ss.lo + (b.lo + (S.hi * cm + (C.hi * stl + (C.lo * th + S.lo)))));
  return negative ? neg(s) : s;
}

// ---- atan --------------------------------------------------------------------------------

/// atan(z) for 0 <= z <= 1 (z a dd), relative error < 2^-100.
DD atanSmall(DD z) {
  const int j = static_cast<int>(z.hi * 64.0 + 0.5);
  DD u = z;
  if (j != 0) {
    const double c = j * 0.015625;
    u = div(add(z, -c), add(mul(z, c), 1.0));
  }
  const DD u2 = mul(u, u);
  const double u2h = u2.hi;
  // atan u = u * (1 - u^2/3 + u^4/5 - ...): degrees 15..9 in double, 7..1 in dd.
  double h = -tables::kInv[15].hi;
  h = h * u2h + tables::kInv[13].hi;
  h = h * u2h - tables::kInv[11].hi;
  h = h * u2h + tables::kInv[9].hi;
  DD p = add(mul(u2, h), neg(tables::kInv[7]));
  p = add(mul(u2, p), tables::kInv[5]);
  p = add(mul(u2, p), neg(tables::kInv[3]));
  p = add(mul(u2, p), 1.0);
  const DD a = mul(u, p);
  return j == 0 ? a : add(tables::kAtanTab[j], a);
}

/// atan(num/den) in [0, pi/2] for num, den >= 0 not both zero, relative error < 2^-99.
DD atanRatio(DD num, DD den) {
  if (num.hi <= den.hi) return atanSmall(div(num, den));
  return add(tables::kPio2, neg(atanSmall(div(den, num))));
}

/// n/d as a dd for n, d dd with d > 0, with one division: qh = n.hi * (1/d.hi) is within two
/// ulps of the quotient, so n.hi - qh*d.hi is exact (Sterbenz) and the remainder term corrects it.
ZR_INLINE DD quotient(DD n, DD d) {
  const double inv = 1.0 / d.hi;
  const double qh = n.hi * inv;
  const DD p = twoProd(qh, d.hi);
  const double rem = ((n.hi - p.hi) - p.lo) + (n.lo - qh * d.lo);
  return {qh, rem * inv};
}

/// Fast path of atanRatio, relative error < 2^-67 (the degree-9 series tail 2^-73.5 relative,
/// its rounding 2^-68, the quotients to 2^-100).
DD atanRatioFast(DD num, DD den) {
  const bool swap = num.hi > den.hi;
  const DD z = swap ? quotient(den, num) : quotient(num, den);
  const int j = static_cast<int>(z.hi * 64.0 + 0.5);
  DD u = z;
  if (j != 0) {
    const double c = j * 0.015625;
    const DD p = twoProd(z.hi, c);
    const DD d = fastTwoSum(1.0, p.hi);
    u = quotient({z.hi - c, z.lo}, {d.hi, d.lo + (p.lo + z.lo * c)});  // z.hi - c is exact
  }
  const double u2 = u.hi * u.hi;
  const double q = (u.hi * u2) * (-tables::kInv[3].hi + u2 * (tables::kInv[5].hi + u2 * (-tables::kInv[7].hi +
                   u2 * tables::kInv[9].hi)));
  DD a = fastTwoSum(u.hi, u.lo + q);
  if (j != 0) {
    const DD A = tables::kAtanTab[j];
    const DD t = twoSum(A.hi, a.hi);
    a = fastTwoSum(t.hi, t.lo + (a.lo + A.lo));
  }
  return swap ? add(tables::kPio2, neg(a)) : a;
}

// ---- sinh, cosh --------------------------------------------------------------------------

/// sinh x (odd = true) or cosh x for |x| <= 1/8 by Taylor: degrees >= 10 in double.
DD hypSmall(DD x, bool odd) {
  const DD x2 = mul(x, x);
  const double x2h = x2.hi;
  const int top = odd ? 17 : 18;
  double h = tables::kInvFact[top].hi;
  for (int k = top - 2; k >= 10; k -= 2) h = h * x2h + tables::kInvFact[k].hi;
  DD p = mul(x2, h);
  for (int k = odd ? 9 : 8; k >= 2; k -= 2) p = mul(x2, add(p, tables::kInvFact[k]));
  p = add(p, 1.0);
  return odd ? mul(x, p) : p;
}

bool isOddInteger(double y) {
  const double a = fabs_(y);
  if (a >= 0x1p53 || a < 1.0) return false;
  const auto n = static_cast<std::int64_t>(a);
  return static_cast<double>(n) == a && (n & 1) != 0;
}
bool isInteger(double y) {
  const double a = fabs_(y);
  if (a >= 0x1p52) return true;
  return static_cast<double>(static_cast<std::int64_t>(a)) == a;
}

}  // namespace

// ---- triple-double stage for sin, cos, the atan family and the hyperbolic functions ------

TD tdDiv(TD a, TD b) {
  const double q1 = a.h / b.h;
  TD r = tdAdd(a, tdNeg(tdMul(b, q1)));
  const double q2 = r.h / b.h;
  r = tdAdd(r, tdNeg(tdMul(b, q2)));
  const double q3 = r.h / b.h;
  r = tdAdd(r, tdNeg(tdMul(b, q3)));
  const double q4 = r.h / b.h;
  const TD s = renorm(q1, q2, q3);
  return tdAdd(s, {q4, 0.0, 0.0});
}
TD tdSqrt(TD a) {  // Newton steps y += (a - y^2)/(2y): 2^-52, 2^-104, 2^-156
  TD y{__builtin_sqrt(a.h), 0.0, 0.0};
  for (int i = 0; i < 3; ++i) {
    const TD e = tdAdd(a, tdNeg(tdMul(y, y)));
    y = tdAdd(y, {e.h / (y.h * 2.0), 0.0, 0.0});
  }
  return y;
}
TD tdScale(TD a, int k) { return {scale(a.h, k), scale(a.m, k), scale(a.l, k)}; }

/// x = q*pi/2 + r with r to 2^-140 relative.
TD reduceTD(double x, int& q) {
  const double ax = fabs_(x);
  TD r{0.0, 0.0, 0.0};
  bool done = false;
  if (ax <= 0.78) {
    r = {ax, 0.0, 0.0};
    q = 0;
    done = true;
  } else if (ax < 0x1p20) {
    const double kf = static_cast<double>(static_cast<int>(ax * tables::kTwoOverPi + 0.5));
    r = renorm(ax - kf * tables::kPio2C1, -(kf * tables::kPio2C2), 0.0);  // both exact
    const DD p3 = twoProd(kf, tables::kPio2C3), p4 = twoProd(kf, tables::kPio2C4);
    r = tdAdd(r, {-p3.hi, -p3.lo, 0.0});
    r = tdAdd(r, {-p4.hi, -p4.lo, -(kf * tables::kPio2C5)});
    if (fabs_(r.h) > 0x1p-30) {
      q = static_cast<int>(kf) & 3;
      done = true;
    }
  }
  if (!done) {
    bool negative;
    std::uint64_t F[5];
    payneHanek(ax, q, negative, F);
    TD f{0.0, 0.0, 0.0};
    for (int piece = 7; piece >= 0; --piece) f = tdAdd(f, {fractionPiece(F, piece), 0.0, 0.0});
    r = tdMul(f, td(tables::kPio2, tables::kPio2T));
    if (negative) r = tdNeg(r);
  }
  if (signBit(x)) {
    r = tdNeg(r);
    q = (4 - q) & 3;
  }
  return r;
}

TD invFactTD(int k) { return td(tables::kInvFact[k], tables::kInvFactT[k]); }

/// sin r (wantCos false) or cos r for |r| <= pi/4 + 2^-20.
TD sinCosTD(TD r, bool wantCos) {
  const bool negative = r.h < 0;
  if (negative) r = tdNeg(r);
  const int j = static_cast<int>(r.h * 64.0 + 0.5);
  const TD t = tdAdd(r, {-j * 0.015625, 0.0, 0.0});
  const TD t2 = tdMul(t, t);
  TD ps = invFactTD(17), pc = invFactTD(16);
  for (int k = 15; k >= 1; k -= 2) ps = tdAdd(tdMul(ps, tdNeg(t2)), invFactTD(k));
  for (int k = 14; k >= 0; k -= 2) pc = tdAdd(tdMul(pc, tdNeg(t2)), invFactTD(k));
  const TD st = tdMul(ps, t), ct = pc;
  TD s = st, c = ct;
  if (j != 0) {
    const TD S = td(tables::kSinTab[j], tables::kSinTabT[j]), C = td(tables::kCosTab[j], tables::kCosTabT[j]);
    s = tdAdd(tdMul(S, ct), tdMul(C, st));
    c = tdAdd(tdMul(C, ct), tdNeg(tdMul(S, st)));
  }
  if (wantCos) return c;
  return negative ? tdNeg(s) : s;
}

TD atanSmallTD(TD z) {
  const int j = static_cast<int>(z.h * 64.0 + 0.5);
  TD u = z;
  if (j != 0) {
    const double c = j * 0.015625;
    u = tdDiv(tdAdd(z, {-c, 0.0, 0.0}), tdAdd(tdMul(z, c), {1.0, 0.0, 0.0}));
  }
  const TD u2 = tdMul(u, u);
  TD p = td(tables::kInv[23], tables::kInvT[23]);
  for (int k = 21; k >= 1; k -= 2) p = tdAdd(tdMul(p, tdNeg(u2)), td(tables::kInv[k], tables::kInvT[k]));
  const TD a = tdMul(u, p);
  return j == 0 ? a : tdAdd(td(tables::kAtanTab[j], tables::kAtanTabT[j]), a);
}

TD atanRatioTD(TD num, TD den) {
  if (num.h <= den.h) return atanSmallTD(tdDiv(num, den));
  return tdAdd(td(tables::kPio2, tables::kPio2T), tdNeg(atanSmallTD(tdDiv(den, num))));
}

enum class Hyp { kSinh, kCosh, kTanh };

TD hypTD(Hyp f, double ax, int& k) {
  k = 0;
  if (ax <= 0.125 && f != Hyp::kCosh) {
    const TD x{ax, 0.0, 0.0};
    const TD x2 = tdMul(x, x);
    TD s = invFactTD(25), c = invFactTD(24);
    for (int i = 23; i >= 1; i -= 2) s = tdAdd(tdMul(s, x2), invFactTD(i));
    for (int i = 22; i >= 0; i -= 2) c = tdAdd(tdMul(c, x2), invFactTD(i));
    s = tdMul(s, x);
    return f == Hyp::kSinh ? s : tdDiv(s, c);
  }
  const TD one{1.0, 0.0, 0.0};
  if (f == Hyp::kTanh) {
    const TD e = expTD({ax * 2.0, 0.0, 0.0}, k);
    const TD ek = tdScale(e, k);
    k = 0;
    return tdDiv(tdAdd(ek, tdNeg(one)), tdAdd(ek, one));
  }
  const TD v = expTD({ax, 0.0, 0.0}, k);
  if (ax > 40.0) {
    --k;
    return v;
  }
  const TD ek = tdScale(v, k);
  k = 0;
  const TD inv = tdDiv(one, ek);
  return tdMul(tdAdd(ek, f == Hyp::kSinh ? tdNeg(inv) : inv), 0.5);
}

// ---- public functions --------------------------------------------------------------------

namespace {
[[gnu::noinline]] double expSlow(double x) {
  if (isNan(x)) return x + x;
  if (x > 710.0) return kInf;
  if (x < -746.0) return 0.0;
  if (fabs_(x) < 0x1p-54) return 1.0 + x;
  int k = 0;
  double out;
  const DD f = expFast(x, k);
  if (tryRound(f, k, 0x1p-66, out)) return out;
  const DD v = expCore({x, 0.0}, k);
  if (tryRound(v, k, 0x1p-93, out)) return out;
  int k3 = 0;
  const TD e3 = expTD({x, 0.0, 0.0}, k3);
  if (tryRoundTD(e3, k3, 0x1p-135, out)) return out;
  return roundDD(v, k, 0x1p-93);
}
}  // namespace

double exp(double x) {
  // one test on the bits of |x|: 2^-54 <= |x| < 708, where the result is normal
  const std::uint64_t ax = bitsOf(x) & 0x7fffffffffffffffULL;
  if (kExpLogFastPaths && ax - 0x3c90000000000000ULL < 0x4086200000000000ULL - 0x3c90000000000000ULL) {
    double lo;
    std::uint64_t scaleBits;
    const double hi = expParts<false>(x, 0.0, lo, scaleBits);
    // every value within 2^-66 of hi + lo rounds to u: so does exp(x); scaling by 2^k is exact
    const double err = hi * 0x1p-66;
    const double u = hi + (lo - err), w = hi + (lo + err);
    if (u == w) return u * scaleFactor(scaleBits);  // 2^k is formed off the critical path
  }
  return expSlow(x);
}

namespace {
[[gnu::noinline]] double logSlow(double x) {
  if (isNan(x)) return x + x;
  if (x < 0.0) return kNaN;
  if (x == 0.0) return -kInf;
  if (x == kInf) return x;
  if (x == 1.0) return 0.0;
  double out;
  if (x >= 0x1p-1022 && tryRound(logFast(x), 0, 0x1p-66, out)) return out;
  const DD v = logCore(x);
  if (tryRound(v, 0, 0x1p-93, out)) return out;
  if (tryRoundTD(logTD(x), 0, 0x1p-135, out)) return out;
  return roundDD(v, 0, 0x1p-93);
}
}  // namespace

double log(double x) {
  // one test on the bits: x positive and normal (x = 1 included: it gives +0)
  const std::uint64_t u = bitsOf(x);
  if (kExpLogFastPaths && u - 0x0010000000000000ULL < 0x7ff0000000000000ULL - 0x0010000000000000ULL) {
    double lo;
    // k != 0 (x outside [0.704, 1.408)) needs less care
    const double hi = (u - explog::kLogOff) >> 52 ? logParts<true>(u, lo) : logParts<false>(u, lo);
    const double err = hi * 0x1p-67;  // of hi's sign: the test is symmetric
    const double a = hi + (lo - err), b = hi + (lo + err);
    if (a == b) return a;
  }
  return logSlow(x);
}

namespace {

#ifdef ZR_ELEMENTARY_LAST_STAGE
constexpr bool kTableFastPaths = false;  // test build: the general paths decide everything
#else
constexpr bool kTableFastPaths = true;
#endif

/// b rh = ph + pl for a table entry b, given rhh = high26(rh) and rhl = rh - rhh: the 26-bit
/// parts' product ph is exact, pl (below 2^-24 |b rh|) is rounded three times, by < 2^-76 |b rh|.
ZR_INLINE DD maskedProduct(double b, double rh, double rhh, double rhl) {
  const double bh = high26(b);
  return {bh * rhh, bh * rhl + (b - bh) * rh};
}

/// Fast path of sin (quarter = 0) and cos (quarter = 64) for 2^-27 <= |x| < 1024: sets out and
/// returns true when the rounding is decided.
///
/// x = k*pi/128 + r with |r| <= pi/256: P1, P2 have 37 bits, so k*P1, k*P2 are exact and
/// x - k*P1 is exact (a multiple of ulp(x) below 2^-6); r = rh + rl to 2^-118.5 + 2^-105.9 |r|.
/// With a = k + quarter, T(i) = sin(i*pi/128) and c = cos r - 1, s = sin r,
///   f(x) = T(a) (1 + c) + T(a + 64) s,
/// one formula for both functions and every quadrant, with no branch on the data.
/// Errors relative to |f|, which is >= |T(a)|/2 and >= |r|/1.0001 (entries 0 and 128 are 0, the
/// others >= sin(pi/128)): tables and dropped products of their low parts 2^-65.4; the three
/// roundings in the low part of T(a + 64) rh, 2^-75.9; s - r
/// (truncation 2^-69.3 |r|, rh for r 2^-65.7, 5 roundings 2^-65.95, two more 2^-67.3) 2^-64.2;
/// T(a).hi * c (4 roundings in c, one in the product, times |T(a)|/|f| <= 2) 2^-62.4; the five
/// additions of the small terms, each below 2^-12.4 |f|, 2^-63.1; in all < 2^-61.38. The test
/// below allows 2^-61 * 1.125 of |h| (|f| <= |h| (1 + 2^-12) and the roundings of lo -+ err,
/// 2^-65.3 of |h|) plus 2^-112 for the absolute error of r, which sends every x close to a zero
/// of f (there r has fewer correct bits) to the general path.
ZR_INLINE bool sinCosFastTable(double x, unsigned quarter, double& out) {
  const double kShift = 0x1.8p52;  // adding it rounds to an integer, kept in the low bits
  const double t = x * tables::kTrigInvP + kShift;
  const double kf = t - kShift;
  const unsigned a = static_cast<unsigned>(bitsOf(t)) + quarter;
  const DD Ta = tables::kTrigTab[a & 255u], Tb = tables::kTrigTab[(a + 64u) & 255u];
  const DD r0 = twoSum(x - kf * tables::kTrigP1, -(kf * tables::kTrigP2));
  const double rh = r0.hi, rl = r0.lo - kf * tables::kTrigP3;
  const double r2 = rh * rh;
  const double s = (rh * r2) * (tables::kTrigS3 + r2 * (tables::kTrigS5 + r2 * tables::kTrigS7));
  const double c =
      r2 * (-0.5 + r2 * (tables::kTrigC4 + r2 * (tables::kTrigC6 + r2 * tables::kTrigC8))) - rh * rl;
  const double rhh = high26(rh);
  const DD p = maskedProduct(Tb.hi, rh, rhh, rh - rhh);
  const DD h = fastTwoSum(Ta.hi, p.hi);  // |Ta| >= sin(pi/128) > |p| unless Ta is 0
  // the polynomials come last: the other terms are summed while they are evaluated
  const double lo = (h.lo + (p.lo + (Ta.lo + Tb.lo * rh))) + (Tb.hi * (rl + s) + Ta.hi * c);
  const double err = fabs_(h.hi) * 0x1.2p-61 + 0x1p-112;
  out = h.hi + lo;
  return kTableFastPaths && h.hi + (lo - err) == h.hi + (lo + err);
}

/// 2^-27 <= |x| < 1024 (as bits of |x|): one unsigned comparison.
ZR_INLINE bool inTrigFastRange(double x) {
  const std::uint64_t lo = 0x3e40000000000000ULL, hi = 0x4090000000000000ULL;
  return (bitsOf(x) & 0x7fffffffffffffffULL) - lo < hi - lo;
}

// Every other argument, and the fast path's undecided ones: reduction to [-pi/4, pi/4], then
// the double, double-double and triple-double stages. Kept out of line so that the fast path
// stays short.
__attribute__((noinline)) double sinGeneral(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax == kInf) return kNaN;
  if (ax < 0x1p-26) return x;
  int q = 0;
  const DD r = ax <= 0.78 ? DD{x, 0.0} : reduce(x, q);
  double out;
  const DD f = sinCosFast(r, (q & 1) != 0);
  if (tryRound((q & 2) ? neg(f) : f, 0, 0x1p-64, out)) return out;
  DD s, c;
  sinCosCore(r, s, c);
  const DD v = (q & 1) ? c : s;
  if (tryRound((q & 2) ? neg(v) : v, 0, 0x1p-93, out)) return out;
  int q3 = 0;
  const TD r3 = reduceTD(x, q3);
  const TD t = sinCosTD(r3, (q3 & 1) != 0);
  if (tryRoundTD((q3 & 2) ? tdNeg(t) : t, 0, 0x1p-130, out)) return out;
  return roundDD((q & 2) ? neg(v) : v, 0, 0x1p-93);
}

__attribute__((noinline)) double cosGeneral(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax == kInf) return kNaN;
  if (ax < 0x1p-27) return 1.0;
  int q = 0;
  const DD r = ax <= 0.78 ? DD{x, 0.0} : reduce(x, q);
  double out;
  const DD f = sinCosFast(r, (q & 1) == 0);
  if (tryRound((q == 1 || q == 2) ? neg(f) : f, 0, 0x1p-64, out)) return out;
  DD s, c;
  sinCosCore(r, s, c);
  const DD v = (q & 1) ? s : c;
  if (tryRound((q == 1 || q == 2) ? neg(v) : v, 0, 0x1p-93, out)) return out;
  int q3 = 0;
  const TD r3 = reduceTD(x, q3);
  const TD t = sinCosTD(r3, (q3 & 1) == 0);
  if (tryRoundTD((q3 == 1 || q3 == 2) ? tdNeg(t) : t, 0, 0x1p-130, out)) return out;
  return roundDD((q == 1 || q == 2) ? neg(v) : v, 0, 0x1p-93);
}

}  // namespace

double sin(double x) {
  double out;
  if (inTrigFastRange(x) && sinCosFastTable(x, 0u, out)) return out;
  return sinGeneral(x);
}

double cos(double x) {
  double out;
  if (inTrigFastRange(x) && sinCosFastTable(x, 64u, out)) return out;
  return cosGeneral(x);
}

namespace {

/// (B, sigma) of the atan family's fast path: the result is B + sigma*atan(z), z in (0, 1];
/// rows 4 to 7 are rows 0 to 3 negated (y < 0), so the sign needs no step of its own.
constexpr double kAtanOctant[8][3] = {
    {0.0, 0.0, 1.0},                                // x > 0, |y| <= x: atan z
    {tables::kPi.hi, tables::kPi.lo, -1.0},         // x < 0, |y| <= |x|: pi - atan z
    {tables::kPio2.hi, tables::kPio2.lo, -1.0},     // x > 0, |y| > x: pi/2 - atan z
    {tables::kPio2.hi, tables::kPio2.lo, 1.0},      // x < 0, |y| > |x|: pi/2 + atan z
    {-0.0, -0.0, -1.0},
    {-tables::kPi.hi, -tables::kPi.lo, 1.0},
    {-tables::kPio2.hi, -tables::kPio2.lo, 1.0},
    {-tables::kPio2.hi, -tables::kPio2.lo, -1.0},
};

/// atan's fast path: adding kAtanIndexShift rounds z to j/64 and keeps j in the low bits; the
/// rounding test allows kAtanErrRel of the leading part (atanFastTable, atan2Pair).
constexpr double kAtanIndexShift = 0x1.8p46, kAtanErrRel = 0x1.2p-61;

/// The low part of n/d = qh + lo for 2^-400 <= n <= d < 2^400, given qh = n/d and inv = 1/d
/// (both rounded; two independent divisions, or one when n = 1), within 2^-75.8 qh of the exact
/// n/d - qh. The remainder n - qh d without a Veltkamp product: qhh, dh are qh and d cut to 26
/// bits (|qh - qhh| < 2^-25 qh, |d - dh| < 2^-25 d), so qhh dh is exact and within a factor
/// (1 + 2^-23) of n, and n - qhh dh is exact (Sterbenz); qhh dl and ql d are each below
/// 2^-25 qh d and round by 2^-78 qh d, their sum by 2^-77 qh d, so r is the remainder
/// (|r| <= 2^-53 qh d) to 2^-76 qh d, and r inv to 2^-76 qh + 2^-104 qh.
ZR_INLINE double atanQuotientLow(double n, double d, double qh, double inv) {
  const double qhh = high26(qh), dh = high26(d);
  const double r = (n - qhh * dh) - (qhh * (d - dh) + (qh - qhh) * d);
  return r * inv;
}

/// Fast path of atan and atan2: B + sigma*atan(z) for z = zh + zl, 0 < zh <= 1 (exact up to
/// 2^-75.8 zh), (B, sigma) row octant of kAtanOctant. Sets out and returns true when the
/// rounding is decided.
///
/// zh + 1.5*2^46 rounds zh to c = j/64 (its last place is 1/64) and keeps j in the low bits;
/// h1 = zh - c is exact (Sterbenz, or c = 0), |h1| <= 1/128, and
///   atan z = A_j + a_1 (h1 + zl) + 2 a_2 h1 zl + h1^2 (a_2 + a_3 h1 + ... + a_9 h1^7)
/// with the coefficients of row j of kAtanRows (tail < 2^-68.9 relative, printed by the
/// generator). a_1 h1 is split without a Veltkamp product: in rows j >= 1, hh = (h1 + S) - S
/// with S = 1.5*2^21 (entry 14) is h1 rounded to a multiple of 2^-31 (at most 25 bits), times
/// the 26-bit upper part a_1hi of a_1 (entry 2) exact; hl = h1 - hh is exact (h1 is a multiple of
/// ulp(zh)) and below 2^-32. Row 0 has S = 0: hh = h1 (a_1 = 1: the product is exact, t2.hi stays
/// the leading part of the result however small z is). The rest, a_1hi hl + (a_1 - a_1hi) h1
/// (entry 3, within 2^-80 of the exact difference), rounds by less than 2^-83.3: 2^-76.3 of
/// atan z in rows j >= 1 (atan z >= atan(1/128)), and not at all in row 0 (a_1 = a_1hi = 1).
/// B + sigma*A_j and then + sigma*a_1hi*hh are exact (each first term is 0 or larger than the
/// second). Errors relative to |v|, v the result: z 2^-75.8 (|dv/dz| z <= |v|); h1^2 (...),
/// whose terms add up to at most 2^-13.4 |v| and each pass at most 6 roundings, 2^-63.8; the
/// terms of zl dropped, below h1^2 |zl| <= 2^-65 z, 2^-64.7 (z <= 4/pi |v|); the split of a_1 h1
/// 2^-76.3; the tail 2^-68.9; six additions of terms below 2^-13.3 |v|, 2^-63.7; the tables 2^-104:
/// in all < 2^-62.4. The test allows 2^-61 * 1.125 of |t2.hi| (|v| <= |t2.hi| (1 + 2^-12), and
/// the roundings of lo -+ err).
ZR_INLINE bool atanFastTable(double zh, double zl, unsigned octant, double& out) {
  const double t = zh + kAtanIndexShift;
  const double c = t - kAtanIndexShift;
  const double* a = tables::kAtanRows[static_cast<unsigned>(bitsOf(t)) & 127u];
  const double h1 = zh - c;
  const double* o = kAtanOctant[octant];
  const double sigma = o[2];
  // adding a[14] rounds h1 to a multiple of 2^-31; in row 0 it is 0 and keeps all of h1
  const double hh = (h1 + a[14]) - a[14];
  const DD t1 = fastTwoSum(o[0], sigma * a[0]);
  const DD t2 = fastTwoSum(t1.hi, sigma * (a[2] * hh));
  // Estrin's scheme: a short dependency chain; sigma h1^2 is ready before the row is loaded
  const double h2 = h1 * h1, h4 = h2 * h2, s2 = sigma * h2;
  const double q = s2 * ((a[6] + h1 * a[7]) + (h2 * (a[8] + h1 * a[9]) +
                         h4 * ((a[10] + h1 * a[11]) + h2 * (a[12] + h1 * a[13]))));
  // the polynomial comes last: the other terms are summed while it is evaluated
  const double small = a[1] + ((a[2] * (h1 - hh) + a[3] * h1) + zl * (a[4] + a[5] * h1));
  const double lo = ((t1.lo + t2.lo) + (o[1] + sigma * small)) + q;
  const double err = __builtin_fabs(t2.hi) * kAtanErrRel;  // a bit operation: no rounding
  out = t2.hi + lo;
  return kTableFastPaths && t2.hi + (lo - err) == t2.hi + (lo + err);
}

/// A fast path's result before its last rounding: the exact value is within err of hi + lo.
struct Unrounded {
  double hi, lo, err;
};

/// B + sigma*asin(c + h1 + tl) from a row a of kAsinLower or kAsinUpper (c the row's point):
///   asin t = A + a_1 (h1 + tl) + 2 a_2 h1 tl + h1^2 (a_2 + a_3 h1 + ... + a_9 h1^7).
/// errRel is the caller's bound relative to |t2.hi|; sets out and returns true when the
/// rounding is decided. B + sigma*A and then + sigma*a_1hi*hh are exact (two-sums whose first
/// term is 0 or larger than the second, as in atanFastTable).
///
/// a_1 h1 is split without a Veltkamp product: hh = (h1 + K) - K with the row's K = 1.5*2^21
/// is h1 rounded to a multiple of 2^-31 (|h1| <= 2^-7, so at most 25 bits), and hh times the
/// 26-bit upper part a_1hi of a_1 is exact; hl = h1 - hh is exact (h1 is a multiple of 2^-79)
/// and below 2^-32. The rest, a_1hi hl + (a_1 - a_1hi) h1 with a_1 - a_1hi rounded in the row
/// (2^-78 a_1), is in error by less than 2^-83.5 + 2^-74.4 |h1|: below 2^-74 asin t, as
/// asin t > 2^-7 >= |h1| in every row but the first of kAsinLower. There K = 0, so hh = h1 and the rest is 0 (a_1 = 1). The polynomial's terms of
/// degree 2 to 5 pass at most 8 roundings, the others at most 14, and those are below 2^-26 of
/// the sum of all (the generator prints both), so the polynomial is within 8.01 * 2^-53 of the
/// sum of the absolute values of its terms.
template <bool kTail, bool kBase>
ZR_INLINE bool asinKernel(const double* a, double h1, double tl, double bhi, double blo, double sigma, double errRel,
                          double& out, Unrounded* sum) {
  const double hh = (h1 + a[15]) - a[15];
  const double p = a[12] * hh;  // exact: 26 bits times 25 bits
  const DD t1 = kBase ? fastTwoSum(bhi, sigma * a[0]) : DD{sigma * a[0], 0.0};
  const DD t2 = fastTwoSum(t1.hi, sigma * p);
  const double h2 = h1 * h1, h4 = h2 * h2, s2 = sigma * h2;
  const double q = s2 * ((a[4] + h1 * a[5]) + (h2 * (a[6] + h1 * a[7]) +
                         h4 * ((a[8] + h1 * a[9]) + h2 * (a[10] + h1 * a[11]))));
  const double cross = a[12] * (h1 - hh) + a[13] * h1;
  double small = a[1] + cross;
  if (kTail) small += tl * (a[2] + 2.0 * a[4] * h1);
  // the polynomial comes last: the other terms are summed while it is evaluated
  const double lo = (kBase ? (t1.lo + t2.lo) + (blo + sigma * small) : t2.lo + sigma * small) + q;
  const double err = __builtin_fabs(t2.hi) * errRel;  // a bit operation: no rounding
  out = t2.hi + lo;
  if (sum) *sum = {t2.hi, lo, err};
  return kTableFastPaths && t2.hi + (lo - err) == t2.hi + (lo + err);
}

/// Fast path of asin and acos: B + sigma*asin(t) for t = th + tl in [0, 1/2] (tl below
/// 2^-53 th, or 0), sigma in {-2, -1, 1, 2}, |B| > |sigma| asin(t) unless B = 0. Sets out and
/// returns true when the rounding is decided.
///
/// th + 1.5*2^46 rounds th to c = j/64 (its last place is 1/64) and keeps j in the low bits;
/// h1 = th - c is exact (Sterbenz, or c = 0) and |h1| <= 1/128; row j of kAsinLower has the
/// coefficients at c (tail < 2^-65.78 relative). Errors relative to |v|, v the result, where
/// |sigma asin t| <= 2 |v|: t to 2^-102.3 (|d asin t/dt| t <= 1.1 asin t) 2^-101.1; the terms
/// of tl dropped, below 3 a_3 h1^2 |tl| <= 2^-65.4 asin t, 2^-64.4; h1^2 (...), whose terms
/// add up to at most 2^-13.78 asin t, 8.01 * 2^-53 of that, times 2, 2^-62.77; the split of
/// a_1 h1, 2^-73; seven additions of terms below 2^-12.5 |v|, 2^-62.7; the tail, times 2,
/// 2^-64.7; the tables 2^-103: in all < 2^-61.3. The test of acos and of the square-root
/// forms allows 1.5 * 2^-61 of |t2.hi| (|v| <= |t2.hi| (1 + 2^-12), and the roundings of
/// lo -+ err are below 2^-65.5 |v|). For asin of |x| <= 1/2 (B = 0, sigma = 1, tl = 0), v is
/// asin t itself: the polynomial 2^-63.78, the tail 2^-65.78, four additions, the last below
/// 2^-13.7 |v|, 2^-66.6, the rest below 2^-73: < 2^-63.2, and with the roundings of lo -+ err
/// and |v| <= |t2.hi| (1 + 2^-13), < 2^-63.1 of |t2.hi|; that test allows 1.5 * 2^-63. For
/// acos of |x| <= 1/2 (B = pi/2, sigma = -+1, tl = 0), |v| >= pi/3 >= 2 asin t: the polynomial
/// 2^-64.78, the tail 2^-66.78, the additions (the last below 2^-14.7 |v|) 2^-67.6, the rest
/// below 2^-74: < 2^-64.3, and with the roundings of lo -+ err < 2^-64 of |t2.hi|; that test
/// allows 2^-63.
template <bool kTail, bool kBase>
ZR_INLINE bool asinFastTable(double th, double tl, double bhi, double blo, double sigma, double errRel, double& out,
                             Unrounded* sum = nullptr) {
  const double kShift = 0x1.8p46;
  const double t = th + kShift;
  const double c = t - kShift;
  const double* a = tables::kAsinLower[static_cast<unsigned>(bitsOf(t)) & 63u];
  return asinKernel<kTail, kBase>(a, th - c, tl, bhi, blo, sigma, errRel, out, sum);
}

/// B + sigma*asin(ax) for 1/2 < ax <= 15/16, sigma = +-1, B = 0 or pi/2, straight from a row
/// of kAsinUpper (no square root): r = 1 - ax is exact, its exponent and top 5 significand
/// bits give the row, h1 = ax - c is exact (Sterbenz), |h1| <= 2^-8. Errors relative to
/// A = asin(ax) >= 0.52, from the generator's bounds: the tail 2^-67.19; the polynomial,
/// whose terms add up to less than 2^-15.39 A, 8.01 * 2^-53 of that, 2^-65.39, and its rounded
/// coefficients 2^-68.39; the last addition to lo (|lo| < 2^-15.3 A) 2^-68.3; the table values,
/// the split of a_1 h1 and the other additions (terms below 2^-29) < 2^-79: in all < 2^-64.7 A.
/// The roundings of lo -+ err are below 2^-53 |lo| < 2^-68 (absolute). For asin (v = A,
/// |t2.hi| > A (1 - 2^-15)) that is below 2^-64.5 of |t2.hi|, and the test allows 2^-63. For
/// acos, v >= acos(15/16) > 0.355 and A <= 1.22 (A/v < 2^1.78), and |v| <= |t2.hi|
/// (1 + 2^-13.9): below 2^-62.9 + 2^-66.5 of |t2.hi|, and the test allows 2^-62.
template <bool kBase>
ZR_INLINE bool asinFastUpper(double ax, double bhi, double blo, double sigma, double errRel, double& out,
                             Unrounded* sum = nullptr) {
  const double r = 1.0 - ax;
  const double* a = tables::kAsinUpper[(bitsOf(r) >> 47) - (0x3fb0000000000000ULL >> 47)];
  return asinKernel<false, kBase>(a, ax - a[14], 0.0, bhi, blo, sigma, errRel, out, sum);
}

/// For 1/2 < ax < 1: t = sqrt((1 - ax)/2) as th + tl (the argument u is exact, th the rounded
/// root, tl = (u - th^2)/(2 th)). The square is taken by masking: th = hh + hl with hh of 26
/// bits and hl of 27, so hh^2 and 2 hh hl are exact, u - hh^2 is exact (Sterbenz), and the two
/// remaining subtractions and hl^2 (each result below 2^-50 u) round by less than 2^-101.4 u
/// in all: tl to 2^-102.4 th, with the division's rounding t to 2^-102.3 of th.
ZR_INLINE double halfComplementRoot(double ax, double& tl) {
  const double u = (1.0 - ax) * 0.5;
  const double th = __builtin_sqrt(u);
  const double hh = high26(th), hl = th - hh;
  const double d = ((u - hh * hh) - (hh + hh) * hl) - hl * hl;
  tl = d / (th + th);
  return th;
}

/// |x| in [lo, hi) given as bits: one unsigned comparison.
ZR_INLINE bool absIn(double x, std::uint64_t lo, std::uint64_t hi) {
  return (bitsOf(x) & 0x7fffffffffffffffULL) - lo < hi - lo;
}

// Every other argument, and the fast path's undecided ones.
__attribute__((noinline)) double atanGeneral(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax < 0x1p-27) return x;
  if (ax > 0x1p60) return withSign(tables::kPio2.hi, x < 0);
  double out;
  if (tryRound(atanRatioFast({ax, 0.0}, {1.0, 0.0}), 0, 0x1p-64, out)) return withSign(out, x < 0);
  const DD v = atanRatio({ax, 0.0}, {1.0, 0.0});
  if (tryRound(v, 0, 0x1p-93, out)) return withSign(out, x < 0);
  if (tryRoundTD(atanRatioTD({ax, 0.0, 0.0}, {1.0, 0.0, 0.0}), 0, 0x1p-130, out)) return withSign(out, x < 0);
  return withSign(roundDD(v, 0, 0x1p-93), x < 0);
}

__attribute__((noinline)) double atan2General(double y, double x) {
  if (isNan(x) || isNan(y)) return x + y;
  const bool ny = signBit(y);
  const double ay = fabs_(y), ax = fabs_(x);
  if (ay == 0.0) return signBit(x) ? withSign(tables::kPi.hi, ny) : y;
  if (ax == 0.0) return withSign(tables::kPio2.hi, ny);
  if (ay == kInf) {
    if (ax == kInf) return withSign(signBit(x) ? tables::kThreePio4.hi : tables::kPio4.hi, ny);
    return withSign(tables::kPio2.hi, ny);
  }
  if (ax == kInf) return signBit(x) ? withSign(tables::kPi.hi, ny) : withSign(0.0, ny);
  // Bring both to exponents near 0 with one power of two (the ratio is unchanged).
  const int ex = static_cast<int>(bitsOf(ax) >> 52) - 1023, ey = static_cast<int>(bitsOf(ay) >> 52) - 1023;
  if (ey - ex > 60) return withSign(tables::kPio2.hi, ny);
  if (ex - ey > 60 && !signBit(x)) {
    // atan z = z(1 - z^2/3 ...) with z < 2^-59 rounds like the quotient z (no double lies
    // between), unless z is a midpoint of the subnormal grid: then atan z, just below, rounds
    // toward zero. z = N * 2^-1075 with N odd when the odd parts divide and the powers match.
    std::uint64_t my = (bitsOf(ay) & 0x000fffffffffffffULL), mx = (bitsOf(ax) & 0x000fffffffffffffULL);
    int py = ey == -1023 ? -1074 : ey - 52, px = ex == -1023 ? -1074 : ex - 52;
    if (ey != -1023) my |= 0x0010000000000000ULL;
    if (ex != -1023) mx |= 0x0010000000000000ULL;
    while ((my & 1u) == 0) { my >>= 1; ++py; }
    while ((mx & 1u) == 0) { mx >>= 1; ++px; }
    if (py + 1075 == px && my % mx == 0) return withSign(scale(static_cast<double>((my / mx - 1) / 2), -1074), ny);
    return withSign(ay / ax, ny);
  }
  if (ex - ey > 60) return withSign(tables::kPi.hi, ny);
  const int s = ex < -1000 ? 1000 : (ex > 1000 ? -1000 : -ex);
  const double xs = scale(ax, s), ys = scale(ay, s);
  DD f = atanRatioFast({ys, 0.0}, {xs, 0.0});
  if (signBit(x)) f = add(tables::kPi, neg(f));
  double out;
  if (tryRound(f, 0, 0x1p-64, out)) return withSign(out, ny);
  DD a = atanRatio({ys, 0.0}, {xs, 0.0});
  if (signBit(x)) a = add(tables::kPi, neg(a));
  if (tryRound(a, 0, 0x1p-93, out)) return withSign(out, ny);
  TD t = atanRatioTD({ys, 0.0, 0.0}, {xs, 0.0, 0.0});
  if (signBit(x)) t = tdAdd(td(tables::kPi, tables::kPiT), tdNeg(t));
  if (tryRoundTD(t, 0, 0x1p-130, out)) return withSign(out, ny);
  return withSign(roundDD(a, 0, 0x1p-93), ny);
}

__attribute__((noinline)) double asinGeneral(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax > 1.0) return kNaN;
  if (ax < 0x1p-26) return x;
  if (ax == 1.0) return withSign(tables::kPio2.hi, x < 0);
  const DD w = mul(twoSum(1.0, -ax), twoSum(1.0, ax));
  const DD root = sqrtDD(w);
  double out;
  if (tryRound(atanRatioFast({ax, 0.0}, root), 0, 0x1p-64, out)) return withSign(out, x < 0);
  const DD v = atanRatio({ax, 0.0}, root);
  if (tryRound(v, 0, 0x1p-93, out)) return withSign(out, x < 0);
  const TD w3 = tdMul(renorm(1.0, -ax, 0.0), renorm(1.0, ax, 0.0));
  if (tryRoundTD(atanRatioTD({ax, 0.0, 0.0}, tdSqrt(w3)), 0, 0x1p-130, out)) return withSign(out, x < 0);
  return withSign(roundDD(v, 0, 0x1p-93), x < 0);
}

__attribute__((noinline)) double acosGeneral(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax > 1.0) return kNaN;
  if (x == 1.0) return 0.0;
  if (x == -1.0) return tables::kPi.hi;
  if (ax < 0x1p-60) return tables::kPio2.hi;
  const DD w = mul(twoSum(1.0, -ax), twoSum(1.0, ax));
  const DD root = sqrtDD(w);
  DD f = atanRatioFast(root, {ax, 0.0});
  if (x < 0) f = add(tables::kPi, neg(f));
  double out;
  if (tryRound(f, 0, 0x1p-64, out)) return out;
  DD a = atanRatio(root, {ax, 0.0});
  if (x < 0) a = add(tables::kPi, neg(a));
  if (tryRound(a, 0, 0x1p-93, out)) return out;
  const TD w3 = tdMul(renorm(1.0, -ax, 0.0), renorm(1.0, ax, 0.0));
  TD t = atanRatioTD(tdSqrt(w3), {ax, 0.0, 0.0});
  if (x < 0) t = tdAdd(td(tables::kPi, tables::kPiT), tdNeg(t));
  if (tryRoundTD(t, 0, 0x1p-130, out)) return out;
  return roundDD(a, 0, 0x1p-93);
}

}  // namespace

double atan(double x) {
  double out;
  const double ax = fabs_(x);
  // 2^-27 <= |x| < 2^60
  if (absIn(x, 0x3e40000000000000ULL, 0x43b0000000000000ULL)) {
    // z = |x| or 1/|x|: the division only where it is needed
    const unsigned neg = static_cast<unsigned>(bitsOf(x) >> 63) * 4u;
    if (ax > 1.0) {
      const double inv = 1.0 / ax;
      if (atanFastTable(inv, atanQuotientLow(1.0, ax, inv, inv), neg + 2u, out)) return out;
    } else if (atanFastTable(ax, 0.0, neg, out)) {
      return out;
    }
  }
  return atanGeneral(x);
}

double atan2(double y, double x) {
  double out;
  const std::uint64_t ux = bitsOf(x) & 0x7fffffffffffffffULL, uy = bitsOf(y) & 0x7fffffffffffffffULL;
  // 2^-256 <= |x|, |y| < 2^256: both differences below 2^61, tested at once
  const std::uint64_t lo = 0x2ff0000000000000ULL;
  if (((ux - lo) | (uy - lo)) < 0x2000000000000000ULL) {
    // the smaller over the larger: positive doubles order as their bits, so integer selects
    // (no branch on the data)
    const bool swap = uy > ux;
    const double n = fromBits(swap ? ux : uy), d = fromBits(swap ? uy : ux);
    const unsigned octant = (swap ? 2u : 0u) + static_cast<unsigned>(bitsOf(x) >> 63) +
                            static_cast<unsigned>(bitsOf(y) >> 63) * 4u;
    const double qh = n / d, inv = 1.0 / d;  // independent: the second division overlaps the first
    if (atanFastTable(qh, atanQuotientLow(n, d, qh, inv), octant, out)) return out;
  }
  return atan2General(y, x);
}

/// asin x = sigma*asin|x| below 15/16, sigma = +-1 the sign of x; above,
/// +-(pi/2 - 2 asin(sqrt((1 - |x|)/2))) by row (x < 0).
constexpr double kAsinAboveHalf[2][3] = {
    {tables::kPio2.hi, tables::kPio2.lo, -2.0},
    {-tables::kPio2.hi, -tables::kPio2.lo, 2.0},
};

double asin(double x) {
  double out;
  const double ax = __builtin_fabs(x);  // a bit operation, kept in the floating-point registers
  if (absIn(x, 0x3e50000000000000ULL, 0x3ff0000000000000ULL)) {  // 2^-26 <= |x| < 1
    // The sign goes into sigma, so the result needs no correction after the rounding test.
    const unsigned neg = static_cast<unsigned>(bitsOf(x) >> 63);
    // Branches: the square root and the division are only paid for above 15/16 (faster than
    // computing every argument and choosing without a branch).
    if (ax <= 0.5) {
      if (asinFastTable<false, false>(ax, 0.0, 0.0, 0.0, 1.0, 0x1.8p-63, out)) return __builtin_copysign(out, x);
    } else if (ax <= 0.9375) {
      if (asinFastUpper<false>(ax, 0.0, 0.0, 1.0, 0x1p-63, out)) return __builtin_copysign(out, x);
    } else {
      double tl;
      const double th = halfComplementRoot(ax, tl);
      const double* row = kAsinAboveHalf[neg];
      if (asinFastTable<true, true>(th, tl, row[0], row[1], row[2], 0x1.8p-61, out)) return out;
    }
  }
  return asinGeneral(x);
}

/// acos x = B + sigma*asin(t): pi/2 -+ asin|x| up to 15/16, then by row (x < 0)
/// 2 asin(sqrt((1 - x)/2)) and pi - 2 asin(sqrt((1 + x)/2)).
constexpr double kAcosRows[2][3] = {
    {0.0, 0.0, 2.0},
    {tables::kPi.hi, tables::kPi.lo, -2.0},
};

namespace {

/// The fast path of acos: sets out and returns true when the rounding is decided; sum, when
/// given, receives the unrounded result and its bound either way (for |x| in [2^-60, 1)).
ZR_INLINE bool acosFast(double x, double& out, Unrounded* sum) {
  const double ax = __builtin_fabs(x);  // a bit operation, kept in the floating-point registers
  if (!absIn(x, 0x3c30000000000000ULL, 0x3ff0000000000000ULL)) return false;  // 2^-60 <= |x| < 1
  const unsigned neg = static_cast<unsigned>(bitsOf(x) >> 63);
  // Branches, as in asin; below 15/16 also on the sign, so that sigma is known in each and
  // its products fold.
  const double bhi = tables::kPio2.hi, blo = tables::kPio2.lo;
  if (ax <= 0.5)
    return neg ? asinFastTable<false, true>(ax, 0.0, bhi, blo, 1.0, 0x1p-63, out, sum)
               : asinFastTable<false, true>(ax, 0.0, bhi, blo, -1.0, 0x1p-63, out, sum);
  if (ax <= 0.9375)
    return neg ? asinFastUpper<true>(ax, bhi, blo, 1.0, 0x1p-62, out, sum)
               : asinFastUpper<true>(ax, bhi, blo, -1.0, 0x1p-62, out, sum);
  double tl;
  const double th = halfComplementRoot(ax, tl);
  const double* row = kAcosRows[neg];
  return asinFastTable<true, true>(th, tl, row[0], row[1], row[2], 0x1.8p-61, out, sum);
}

}  // namespace

double acos(double x) {
  double out;
  if (acosFast(x, out, nullptr)) return out;
  return acosGeneral(x);
}

namespace {

/// sinh, cosh or tanh of ax >= 2^-27 (ax <= 711, and <= 22 for tanh) as v * 2^k with its
/// relative error bound: fast (double evaluation, bounds 2^-57 to 2^-62) or the dd path (2^-93).
DD hypEval(Hyp f, double ax, bool fast, int& k, double& rel) {
  k = 0;
  rel = fast ? 0x1p-62 : 0x1p-93;
  const auto expOf = [fast](double a, int& kk) { return fast ? expFast(a, kk) : expCore({a, 0.0}, kk); };
  const auto ratio = [fast](DD n, DD d) { return fast ? quotient(n, d) : div(n, d); };
  if (ax <= 0.125 && f != Hyp::kCosh) {
    // Taylor: the double version has x^3/6 rounded twice (2^-57 relative to sinh x)
    DD s, c;
    if (fast) {
      const double x2 = ax * ax;
      s = fastTwoSum(ax, (ax * x2) * (tables::kInvFact[3].hi + x2 * (tables::kInvFact[5].hi + x2 * (
                                        tables::kInvFact[7].hi + x2 * (tables::kInvFact[9].hi + x2 * tables::kInvFact[11].hi)))));
      c = fastTwoSum(1.0, x2 * (0.5 + x2 * (tables::kInvFact[4].hi + x2 * (tables::kInvFact[6].hi + x2 * (
                                    tables::kInvFact[8].hi + x2 * tables::kInvFact[10].hi)))));
      rel = 0x1p-56;
    } else {
      s = hypSmall({ax, 0.0}, true);
      c = hypSmall({ax, 0.0}, false);
    }
    return f == Hyp::kSinh ? s : ratio(s, c);
  }
  if (f == Hyp::kTanh) {
    const DD e = expOf(ax * 2.0, k);
    const DD ek = {scale(e.hi, k), scale(e.lo, k)};
    k = 0;
    return ratio(add(ek, -1.0), add(ek, 1.0));
  }
  DD v = expOf(ax, k);
  if (ax > 40.0) {  // e^-x is below 2^-115 of e^x
    --k;
    return v;
  }
  const DD ek = {scale(v.hi, k), scale(v.lo, k)};
  k = 0;
  const DD inv = ratio({1.0, 0.0}, ek);
  return mul(add(ek, f == Hyp::kSinh ? neg(inv) : inv), 0.5);
}

double hyp(Hyp f, double ax) {
  int k;
  double rel, out;
  const DD fastV = hypEval(f, ax, true, k, rel);
  if (tryRound(fastV, k, rel, out)) return out;
  const DD v = hypEval(f, ax, false, k, rel);
  if (tryRound(v, k, rel, out)) return out;
  int k3 = 0;
  const TD t = hypTD(f, ax, k3);
  if (tryRoundTD(t, k3, 0x1p-130, out)) return out;
  return roundDD(v, k, rel);
}

}  // namespace

namespace {

[[gnu::noinline]] double sinhSlow(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax < 0x1p-26) return x;
  if (ax > 711.0) return withSign(kInf, x < 0);
  return withSign(hyp(Hyp::kSinh, ax), x < 0);
}

[[gnu::noinline]] double coshSlow(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax < 0x1p-26) return 1.0;
  if (ax > 711.0) return kInf;
  return hyp(Hyp::kCosh, ax);
}

[[gnu::noinline]] double tanhSlow(double x) {
  if (isNan(x)) return x + x;
  const double ax = fabs_(x);
  if (ax < 0x1p-27) return x;  // x^2/3 is below half an ulp
  if (ax > 22.0) return withSign(1.0, x < 0);
  return withSign(hyp(Hyp::kTanh, ax), x < 0);
}

/// e^a = (h1 + lo1) 2^k1 and e^-a = (h2 + lo2) 2^k2 for 0 < a < 708, from one reduction:
/// -a = (-n) ln2/128 - r, so the polynomial's even and odd parts are shared. The same
/// operations as expParts with xl = 0 (the even/odd split rounds like its Estrin scheme:
/// q = r^2 (E + r O), E = 1/2 + r^2 (c4 + r^2 c6), O = c3 + r^2 c5, 4 ulps of q at most), so
/// the same bound: relative error < 2^-67 each.
ZR_INLINE void expPair(double a, double& h1, double& lo1, std::uint64_t& s1, double& h2, double& lo2,
                       std::uint64_t& s2) {
  constexpr double kShift = 0x1.8p52;
  const double t = a * tables::kExpInvL + kShift;
  const double nf = t - kShift;
  const std::uint64_t nb = bitsOf(t);
  const std::uint64_t j = nb & 127u, jm = (0u - nb) & 127u;  // n mod 128, -n mod 128
  const explog::ExpEntry& T = explog::kExpTab[j];
  const explog::ExpEntry& U = explog::kExpTab[jm];
  const DD r = fastTwoSum(a - nf * tables::kExpL1, -(nf * tables::kExpL2));
  const double rh = r.hi, rl = r.lo;  // n*L3 left out, as in expParts
  const double r2 = rh * rh;
  const double even = 0.5 + r2 * (tables::kInvFact[4].hi + r2 * tables::kInvFact[6].hi);
  const double odd = rh * (tables::kInvFact[3].hi + r2 * tables::kInvFact[5].hi);
  const double pe = even + odd, pm = even - odd;  // q = r2 pe, q(-r) = r2 pm
  const double p1 = (rh + 0x1.8p17) - 0x1.8p17;  // rounding to 2^-35 is odd: -rh gives -p1
  const double rest = (rh - p1) + rl;
  const DD s = fastTwoSum(T.hi, T.h1 * p1);
  lo1 = (s.lo + ((T.h2 * p1 + T.hi * rest) + (T.lo + T.lo * rh))) + (T.hi * r2) * pe;
  const DD sm = fastTwoSum(U.hi, -(U.h1 * p1));
  lo2 = (sm.lo - ((U.h2 * p1 + U.hi * rest) - (U.lo - U.lo * rh))) + (U.hi * r2) * pm;
  h1 = s.hi;
  h2 = sm.hi;
  s1 = (nb - j) << 45;
  s2 = 0u - ((nb + jm) << 45);  // (-n - jm)/128 = k2: (bias - nb - jm) << 45, bias << 45 = 0
}

/// cosh a (odd false) or sinh a (odd true) for 0 < a < 707 as hi + lo, with err set to a bound
/// on its absolute error: each exponential is good to 2^-67 relative, so the error is below
/// (e^a + e^-a)/2 2^-67 (the sums are exact or 2^-100). The halving is in the scale factors
/// 2^(k-1), normal for a < 707.
ZR_INLINE double coshSinh(double a, bool odd, double& lo, double& err) {
  double h1, l1, h2, l2;
  std::uint64_t s1, s2;
  expPair(a, h1, l1, s1, h2, l2, s2);
  constexpr std::uint64_t kHalf = std::uint64_t{1} << 52;
  const double p1 = scaleFactor(s1 - kHalf), p2 = scaleFactor(s2 - kHalf);
  const double e1 = h1 * p1, e2 = h2 * p2;  // exact: normal results
  const DD d = fastTwoSum(e1, odd ? -e2 : e2);
  lo = d.lo + (odd ? l1 * p1 - l2 * p2 : l1 * p1 + l2 * p2);
  err = (odd ? e1 + e2 : d.hi) * 0x1p-66;  // d.hi is e1 + e2 rounded for cosh
  return d.hi;
}

/// a = ah + al with ah of 17 bits (Veltkamp split by 2^36 + 1): ah^2 and ah^3 are exact.
ZR_INLINE void split17(double a, double& ah, double& al) {
  const double t = a * 0x1.000000001p36;
  ah = t - (t - a);
  al = a - ah;
}

/// sinh a for 2^-27 <= a < 1/8 as hi + lo, hi returned: relative error < 2^-69 (hand bound:
/// a^3/6 = q + (ah^3 - 6q + (a^3 - ah^3))/6, ah^3 exact and ah^3 - 6q found exactly (Sterbenz,
/// twice), a^3 - ah^3 = al (a^2 + a ah + ah^2) good to 3 ulps of 3 2^-17 a^3; the a^5 part's
/// 5 ulps are 2^-69.6 of a; the tail after degree 13 is 2^-82; the sums 2^-72).
ZR_INLINE double sinhSmall(double a, double& lo) {
  double ah, al;
  split17(a, ah, al);
  const double ah2 = ah * ah, ah3 = ah2 * ah;
  const double q = ah3 * tables::kInvFact[3].hi;
  const double rem = (ah3 - 4.0 * q) - 2.0 * q;
  const double a2 = a * a, a4 = a2 * a2;
  const double d3 = al * ((a2 + a * ah) + ah2);
  const double a5 = (ah3 + d3) * a2;
  const double tail = (tables::kInvFact[5].hi + a2 * tables::kInvFact[7].hi) +
                      a4 * ((tables::kInvFact[9].hi + a2 * tables::kInvFact[11].hi) + a4 * tables::kInvFact[13].hi);
  const DD s = fastTwoSum(a, q);
  lo = s.lo + ((rem + d3) * tables::kInvFact[3].hi + a5 * tail);
  return s.hi;
}

/// cosh a for a < 1/8, normalised: relative error < 2^-67.3 (a^2/2 = ah^2/2 + al (a + ah)/2 with
/// ah^2 exact; the a^4 part's 5 ulps are 2^-67.3; the tail after degree 12 is 2^-78).
ZR_INLINE DD coshSmall(double a) {
  double ah, al;
  split17(a, ah, al);
  const double a2 = a * a, a4 = a2 * a2;
  const double tail = (tables::kInvFact[4].hi + a2 * tables::kInvFact[6].hi) +
                      a4 * ((tables::kInvFact[8].hi + a2 * tables::kInvFact[10].hi) + a4 * tables::kInvFact[12].hi);
  const DD c = fastTwoSum(1.0, 0.5 * (ah * ah));
  return fastTwoSum(c.hi, c.lo + (0.5 * (al * (a + ah)) + a4 * tail));
}

}  // namespace

double sinh(double x) {
  // fast path for 1/8 <= |x| < 707 (below 1/8 the difference cancels too much)
  const std::uint64_t ax = bitsOf(x) & 0x7fffffffffffffffULL;
  if (kExpLogFastPaths && ax - 0x3fc0000000000000ULL < 0x4086180000000000ULL - 0x3fc0000000000000ULL) {
    double lo, err;
    const double hi = coshSinh(fromBits(ax), true, lo, err);
    const double a = hi + (lo - err), b = hi + (lo + err);
    if (a == b) return withSign(a, x < 0);
  } else if (kExpLogFastPaths && ax - 0x3e50000000000000ULL < 0x3fc0000000000000ULL - 0x3e50000000000000ULL) {
    // 2^-26 <= |x| < 1/8: the series, good to 2^-69
    double lo;
    const double hi = sinhSmall(fromBits(ax), lo);
    const double err = hi * 0x1p-67;
    const double a = hi + (lo - err), b = hi + (lo + err);
    if (a == b) return withSign(a, x < 0);
  }
  return sinhSlow(x);
}

double cosh(double x) {
  // fast path for 2^-26 <= |x| < 707
  const std::uint64_t ax = bitsOf(x) & 0x7fffffffffffffffULL;
  if (kExpLogFastPaths && ax - 0x3e50000000000000ULL < 0x4086180000000000ULL - 0x3e50000000000000ULL) {
    double lo, err;
    const double hi = coshSinh(fromBits(ax), false, lo, err);
    const double a = hi + (lo - err), b = hi + (lo + err);
    if (a == b) return a;
  }
  return coshSlow(x);
}

double tanh(double x) {
  // fast path for 1/8 <= |x| < 22: tanh = (E - 1)/(E + 1), E = e^2|x| good to 2^-67 relative,
  // so the absolute error of the quotient is below (E/(E+1) + E(E-1)/(E+1)^2) 2^-67 < 2^-66
  // (the quotient's own roundings are below 2^-100)
  const std::uint64_t ax = bitsOf(x) & 0x7fffffffffffffffULL;
  if (kExpLogFastPaths && ax - 0x3fc0000000000000ULL < 0x4036000000000000ULL - 0x3fc0000000000000ULL) {
    double l;
    std::uint64_t sc;
    const double h = expParts<false>(fromBits(ax) * 2.0, 0.0, l, sc);
    const double p = scaleFactor(sc);
    const DD e = fastTwoSum(h * p, l * p);  // the products are exact; e >= 1.28
    const DD n = fastTwoSum(e.hi, -1.0), d0 = fastTwoSum(e.hi, 1.0);
    const DD d = fastTwoSum(d0.hi, d0.lo + e.lo);  // the low part of d must be small: q uses d.hi
    const double nl = n.lo + e.lo, dl = d.lo;
    // n/d: q to about an ulp, then the remainder n - q d (q d exactly) gives the low part
    const double inv = 1.0 / d.hi;
    const double q = n.hi * inv;
    const DD qd = twoProd(q, d.hi);
    const double rem = (((n.hi - qd.hi) - qd.lo) + nl) - q * dl;  // n.hi - qd.hi is exact
    const double ql = rem * inv;
    const double a = q + (ql - 0x1p-66), b = q + (ql + 0x1p-66);
    if (a == b) return withSign(a, x < 0);
  } else if (kExpLogFastPaths && ax - 0x3e40000000000000ULL < 0x3fc0000000000000ULL - 0x3e40000000000000ULL) {
    // 2^-27 <= |x| < 1/8: sinh/cosh from their series (2^-69 and 2^-67.3), the quotient as above
    const double a0 = fromBits(ax);
    double sl;
    const double sh = sinhSmall(a0, sl);
    const DD d = coshSmall(a0);
    const double inv = 1.0 / d.hi;
    const double q = sh * inv;
    const DD qd = twoProd(q, d.hi);
    const double rem = (((sh - qd.hi) - qd.lo) + sl) - q * d.lo;  // sh - qd.hi is exact
    const double ql = rem * inv;
    const double err = q * 0x1p-66;
    const double a = q + (ql - err), b = q + (ql + err);
    if (a == b) return withSign(a, x < 0);
  }
  return tanhSlow(x);
}


namespace {

/// |x|^y exactly rounded when y is a positive integer and the power fits in 64 bits, or x is a
/// power of two; returns false when that is not the case (the power then is not a midpoint).
bool powExact(double ax, double y, double& out) {
  int e = 0;
  if (ax < 0x1p-1022) {
    ax *= 0x1p54;
    e = -54;
  }
  const std::uint64_t u = bitsOf(ax);
  e += static_cast<int>(u >> 52) - 1075;
  std::uint64_t m = (u & 0x000fffffffffffffULL) | 0x0010000000000000ULL;
  while ((m & 1u) == 0) {
    m >>= 1;
    ++e;
  }
  std::uint64_t M = 1;
  double E;
  if (m == 1) {
    E = static_cast<double>(e) * y;
  } else {
    if (y < 2.0 || y > 64.0) return false;
    const int n = static_cast<int>(y);
    for (int i = 0; i < n; ++i) {
      std::uint64_t hi, lo;
      mul64(M, m, hi, lo);
      if (hi != 0) return false;
      M = lo;
    }
    E = static_cast<double>(e) * n;
  }
  // value = M * 2^E; round M to the precision of the destination, ties to even.
  int len = 0;
  while (len < 64 && (M >> len) > 1) ++len;
  ++len;  // bit length of M
  if (E + len > 1030) {
    out = kInf;
    return true;
  }
  if (E + len < -1080) {
    out = 0.0;
    return true;
  }
  const int ei = static_cast<int>(E);
  const int lead = ei + len - 1;  // exponent of the leading bit
  if (lead < -1075) {
    out = 0.0;
    return true;
  }
  const int keep = lead >= -1022 ? 53 : 53 - (-1022 - lead);
  const int drop = len - keep;
  if (drop > 0) {
    if (drop > 64) {
      out = 0.0;
      return true;
    }
    const std::uint64_t rest = drop == 64 ? M : M & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    std::uint64_t kept = drop == 64 ? 0 : M >> drop;
    if (rest > half || (rest == half && (kept & 1u))) ++kept;
    out = scale(static_cast<double>(kept), ei + drop);
  } else {
    out = scale(static_cast<double>(M), ei);
  }
  return true;
}

}  // namespace

namespace {

[[gnu::noinline]] double powSlow(double x, double y) {
  if (y == 0.0) return 1.0;
  if (x == 1.0) return 1.0;
  if (isNan(x) || isNan(y)) return x + y;
  const double ax = fabs_(x), ay = fabs_(y);
  const bool yOdd = isOddInteger(y);
  if (ax == 0.0) {
    if (y < 0) return yOdd ? withSign(kInf, signBit(x)) : kInf;
    return yOdd ? x : 0.0;
  }
  if (ay == kInf) {
    if (ax == 1.0) return 1.0;
    return (ax < 1.0) == (y < 0) ? kInf : 0.0;
  }
  if (ax == kInf) {
    if (y < 0) return yOdd && x < 0 ? -0.0 : 0.0;
    return yOdd && x < 0 ? -kInf : kInf;
  }
  if (x < 0 && !isInteger(y)) return kNaN;
  const bool negative = x < 0 && yOdd;
  if (y == 1.0) return x;
  if (y == 2.0) return x * x;
  if (y == -1.0) return 1.0 / x;
  if (y == 0.5) return __builtin_sqrt(x);
  if (isInteger(y)) {
    double r;
    if (powExact(ax, y, r)) return withSign(r, negative);
  }
  // y*log|x| far outside [-746, 710] over- or underflows (checked before the exact product,
  // whose splitting would overflow for huge y).
  const bool normal = ax >= 0x1p-1022;
  const DD lf = normal ? logFast(ax) : logCore(ax);
  const double t0 = lf.hi * y;
  if (t0 > 800.0) return withSign(kInf, negative);
  if (t0 < -800.0) return withSign(0.0, negative);
  if (normal) {
    // fast path: log to 2^-68 relative gives y*log|x| to |t|*2^-67 absolute
    const DD tf = mul(lf, y);
    if (tf.hi > 710.0) return withSign(kInf, negative);
    if (tf.hi < -746.0) return withSign(0.0, negative);
    int kf = 0;
    const DD f = expFast(tf.hi, kf, tf.lo);
    double out;
    if (tryRound(f, kf, 0x1p-66 + fabs_(tf.hi) * 0x1p-66, out)) return withSign(out, negative);
  }
  const DD l = logCore(ax);
  const DD t = mul(l, y);
  if (t.hi > 710.0) return withSign(kInf, negative);
  if (t.hi < -746.0) return withSign(0.0, negative);
  int k;
  const DD v = expCore(t, k);
  double out;
  if (tryRound(v, k, 0x1p-90 + fabs_(t.hi) * 0x1p-96, out)) return withSign(out, negative);
  const TD t3 = tdMul(logTD(ax), y);
  int k3 = 0;
  const TD e3 = expTD(t3, k3);
  if (tryRoundTD(e3, k3, 0x1p-130 + fabs_(t3.h) * 0x1p-132, out)) return withSign(out, negative);
  return withSign(roundDD(v, k, 0x1p-90 + fabs_(t.hi) * 0x1p-96), negative);
}

}  // namespace

double pow(double x, double y) {
  // fast path: x positive and normal, y finite, |y log x| < 708 (the result is normal). It needs
  // none of the special cases: where x^y is a double (y = 1, 2, -1, 0.5, 0, x = 1 ...) the test
  // below finds it; where it is a midpoint the test cannot succeed and the slow path decides.
  const std::uint64_t ux = bitsOf(x), uy = bitsOf(y);
  if (kExpLogFastPaths && ux - 0x0010000000000000ULL < 0x7fe0000000000000ULL &&
      (uy & 0x7ff0000000000000ULL) != 0x7ff0000000000000ULL) {
    double llo;
    const double lhi = (ux - explog::kLogOff) >> 52 ? logParts<true>(ux, llo) : logParts<false>(ux, llo);
    // t = y log x = p.hi + (p.lo + y llo): relative error < 2^-68 (log 2^-69; y llo, the sum and,
    // on the first path, its rounding in exp's reduction, 2^-71 each, as |llo| < 2^-18 |lhi|)
    const DD p = twoProd(lhi, y);
    const double pl = p.lo + llo * y;
    if (fabs_(p.hi) < 63.0) {
      // the exponential starts from p.hi at once, pl joins its reduction (|pl| < 2^-13)
      double lo;
      std::uint64_t scaleBits;
      const double hi = expParts<true, true>(p.hi, pl, lo, scaleBits);
      // exp's own 2^-67, and |t| times t's relative error
      const double err = hi * (0x1p-66 + fabs_(p.hi) * 0x1p-68);
      const double a = hi + (lo - err), b = hi + (lo + err);
      if (a == b) return fromBits(bitsOf(a) + scaleBits);
      return powSlow(x, y);
    }
    const DD t = fastTwoSum(p.hi, pl);
    if (fabs_(t.hi) < 708.0) {
      double lo;
      std::uint64_t scaleBits;
      const double hi = expParts<true>(t.hi, t.lo, lo, scaleBits);
      // exp's own 2^-67, |t| times t's relative error and exp's |t.lo| 2^-17 (< 2^-70 |t|) term
      const double err = hi * (0x1p-66 + fabs_(t.hi) * 0x1p-68);
      const double a = hi + (lo - err), b = hi + (lo + err);
      if (a == b) return fromBits(bitsOf(a) + scaleBits);
    }
  }
  return powSlow(x, y);
}

// ---- two atan2 at once -------------------------------------------------------------------

#if defined(__SSE2__)
namespace {

/// (p[k], q[k]): entry k of two table rows in the two lanes.
ZR_INLINE __m128d lanes(const double* p, const double* q, int k) { return _mm_loadh_pd(_mm_load_sd(p + k), q + k); }

/// v, computed where it stands. GCC otherwise moves the arithmetic on the table entries to the
/// end and keeps the loaded entries, more than there are registers, on the stack. An empty asm
/// statement: no instruction, the value is unchanged.
ZR_INLINE __m128d keep(__m128d v) {
  __asm__("" : "+x"(v));
  return v;
}

/// The constants of atan2Pair, each in both lanes, read through a pointer the compiler cannot
/// see through (opaque()): else GCC builds every one from a scalar with a shuffle.
enum PairConstant : int { kSignBit, kOne, kPio2Hi, kPio2Lo, kPiHi, kPiLo, kAtanShift, kErrRel, kPairConstants };
alignas(16) constexpr double kPairTable[kPairConstants][2] = {
    {-0.0, -0.0},
    {1.0, 1.0},
    {tables::kPio2.hi, tables::kPio2.hi},
    {tables::kPio2.lo, tables::kPio2.lo},
    {tables::kPi.hi, tables::kPi.hi},
    {tables::kPi.lo, tables::kPi.lo},
    {kAtanIndexShift, kAtanIndexShift},
    {kAtanErrRel, kAtanErrRel},
};
/// high26's mask in both lanes.
alignas(16) constexpr std::uint64_t kPairMask26[2] = {kHigh26Mask, kHigh26Mask};
template <class T>
ZR_INLINE const T* opaque(const T* p) {
  __asm__("" : "+r"(p));
  return p;
}

/// The lanes of atan2Pair that the fast path leaves open (bit l of decided clear) take atan2
/// itself; the others take v0, v1. Out of line: the fast path then needs no stack frame.
__attribute__((noinline)) void atan2PairFinish(unsigned decided, double v0, double v1, double y0, double x0, double y1,
                                               double x1, double& r0, double& r1) {
  r0 = (decided & 1u) ? v0 : atan2(y0, x0);
  r1 = (decided & 2u) ? v1 : atan2(y1, x1);
}

}  // namespace
#endif

// The fast path of atan2 on two arguments in the two lanes of SSE2 registers. Each lane takes
// the operations of atan2, atanQuotientLow and atanFastTable in their order: a packed add,
// subtract, multiply or divide rounds each lane to nearest as the scalar one does (both follow
// the same MXCSR), the masks of high26 and fabs are the same bit operations, and the minimum and
// maximum of |y| and |x| are the integer selects of atan2 (positive finite doubles order as their
// bits; equal ones are the same double). The row of kAtanOctant is built in the lanes from the
// three sign bits that select it: sigma = 1 with the sign swap ^ sign(x) ^ sign(y), B = pi/2 if
// swapped, else pi if x < 0, else 0, with the sign of y; those are the row's bits. So each lane's
// t2.hi, lo and err, its result and its rounding test are atan2's to the bit, and a lane that
// fails the test (or that atan2 would not give its fast path) goes to atan2.
void atan2Pair(double y0, double x0, double y1, double x1, double& r0, double& r1) {
#if defined(__SSE2__)
  const double* k = opaque(&kPairTable[0][0]);
  const auto constant = [k](PairConstant i) { return _mm_load_pd(k + 2 * i); };
  const __m128d y = _mm_set_pd(y1, y0), x = _mm_set_pd(x1, x0);
  const __m128d signBit = constant(kSignBit);
  const __m128d ax = _mm_andnot_pd(signBit, x), ay = _mm_andnot_pd(signBit, y);
  // atan2's range, 2^-256 <= |x|, |y| < 2^256, on the high words (the bounds' low words are 0):
  // NaN and infinity are above it, zeros and subnormals below
  const __m128i high = _mm_castps_si128(_mm_shuffle_ps(_mm_castpd_ps(ax), _mm_castpd_ps(ay), _MM_SHUFFLE(3, 1, 3, 1)));
  const __m128i in = _mm_and_si128(_mm_cmpgt_epi32(high, _mm_set1_epi32(0x2fefffff)),
                                   _mm_cmplt_epi32(high, _mm_set1_epi32(0x4ff00000)));
  if (_mm_movemask_ps(_mm_castsi128_ps(in)) != 15) {
    atan2PairFinish(0u, 0.0, 0.0, y0, x0, y1, x1, r0, r1);
    return;
  }
  // n = the smaller, d = the larger of |y| and |x|; the row of kAtanOctant
  const __m128d n = _mm_min_pd(ay, ax), d = _mm_max_pd(ay, ax);
  const __m128d swap = _mm_cmpgt_pd(ay, ax), xNegative = _mm_cmplt_pd(x, _mm_setzero_pd());
  const __m128d sy = _mm_and_pd(y, signBit);
  const __m128d sigma = _mm_or_pd(_mm_and_pd(_mm_xor_pd(_mm_xor_pd(x, y), swap), signBit), constant(kOne));
  const __m128d baseHi = _mm_xor_pd(
      _mm_or_pd(_mm_and_pd(swap, constant(kPio2Hi)), _mm_andnot_pd(swap, _mm_and_pd(xNegative, constant(kPiHi)))), sy);
  const __m128d baseLo = _mm_xor_pd(
      _mm_or_pd(_mm_and_pd(swap, constant(kPio2Lo)), _mm_andnot_pd(swap, _mm_and_pd(xNegative, constant(kPiLo)))), sy);
  const __m128d qh = _mm_div_pd(n, d), inv = _mm_div_pd(constant(kOne), d);
  // atanQuotientLow
  const __m128d mask26 = _mm_castsi128_pd(_mm_load_si128(reinterpret_cast<const __m128i*>(opaque(kPairMask26))));
  const __m128d qhh = _mm_and_pd(qh, mask26), dh = _mm_and_pd(d, mask26);
  const __m128d rem = _mm_sub_pd(_mm_sub_pd(n, _mm_mul_pd(qhh, dh)),
                                 _mm_add_pd(_mm_mul_pd(qhh, _mm_sub_pd(d, dh)), _mm_mul_pd(_mm_sub_pd(qh, qhh), d)));
  const __m128d zl = keep(_mm_mul_pd(rem, inv));
  // atanFastTable
  const __m128d t = _mm_add_pd(qh, constant(kAtanShift));
  const __m128d c = _mm_sub_pd(t, constant(kAtanShift));
  const double* a = tables::kAtanRows[static_cast<unsigned>(_mm_cvtsi128_si32(_mm_castpd_si128(t))) & 127u];
  const double* b = tables::kAtanRows[static_cast<unsigned>(_mm_cvtsi128_si32(_mm_castpd_si128(_mm_unpackhi_pd(t, t)))) & 127u];
  const __m128d h1 = _mm_sub_pd(qh, c);
  const __m128d split = lanes(a, b, 14);
  const __m128d hh = _mm_sub_pd(_mm_add_pd(h1, split), split);
  const __m128d sa0 = _mm_mul_pd(sigma, lanes(a, b, 0));
  const __m128d t1hi = _mm_add_pd(baseHi, sa0), t1lo = keep(_mm_sub_pd(sa0, _mm_sub_pd(t1hi, baseHi)));
  const __m128d a2 = lanes(a, b, 2);
  const __m128d sp = _mm_mul_pd(sigma, _mm_mul_pd(a2, hh));
  const __m128d t2hi = _mm_add_pd(t1hi, sp), t2lo = keep(_mm_sub_pd(sp, _mm_sub_pd(t2hi, t1hi)));
  const __m128d h2 = _mm_mul_pd(h1, h1), h4 = _mm_mul_pd(h2, h2), s2 = _mm_mul_pd(sigma, h2);
  const __m128d p67 = keep(_mm_add_pd(lanes(a, b, 6), _mm_mul_pd(h1, lanes(a, b, 7))));
  const __m128d p89 = keep(_mm_add_pd(lanes(a, b, 8), _mm_mul_pd(h1, lanes(a, b, 9))));
  const __m128d p1011 = keep(_mm_add_pd(lanes(a, b, 10), _mm_mul_pd(h1, lanes(a, b, 11))));
  const __m128d p1213 = keep(_mm_add_pd(lanes(a, b, 12), _mm_mul_pd(h1, lanes(a, b, 13))));
  const __m128d q = keep(_mm_mul_pd(
      s2, _mm_add_pd(p67, _mm_add_pd(_mm_mul_pd(h2, p89), _mm_mul_pd(h4, _mm_add_pd(p1011, _mm_mul_pd(h2, p1213)))))));
  const __m128d cross = _mm_add_pd(_mm_mul_pd(a2, _mm_sub_pd(h1, hh)), _mm_mul_pd(lanes(a, b, 3), h1));
  const __m128d tail = _mm_mul_pd(zl, _mm_add_pd(lanes(a, b, 4), _mm_mul_pd(lanes(a, b, 5), h1)));
  const __m128d small = keep(_mm_add_pd(lanes(a, b, 1), _mm_add_pd(cross, tail)));
  const __m128d lo =
      _mm_add_pd(_mm_add_pd(_mm_add_pd(t1lo, t2lo), _mm_add_pd(baseLo, _mm_mul_pd(sigma, small))), q);
  const __m128d err = _mm_mul_pd(_mm_andnot_pd(signBit, t2hi), constant(kErrRel));
  const __m128d out = _mm_add_pd(t2hi, lo);
  const unsigned decided =
      kTableFastPaths ? static_cast<unsigned>(_mm_movemask_pd(_mm_cmpeq_pd(
                            _mm_add_pd(t2hi, _mm_sub_pd(lo, err)), _mm_add_pd(t2hi, _mm_add_pd(lo, err)))))
                      : 0u;
  if (decided == 3u) {
    _mm_storel_pd(&r0, out);
    _mm_storeh_pd(&r1, out);
    return;
  }
  atan2PairFinish(decided, _mm_cvtsd_f64(out), _mm_cvtsd_f64(_mm_unpackhi_pd(out, out)), y0, x0, y1, x1, r0, r1);
#else
  r0 = atan2(y0, x0);
  r1 = atan2(y1, x1);
#endif
}

// ---- sin and cos together, atan2 of a small ratio ----------------------------------------

namespace {

/// The fast path of sin and cos on one argument: the reduction and both polynomials are shared;
/// each result then goes through exactly the operations of sinCosFastTable (cos is sin a quarter
/// turn on, a + 64), so each is decided exactly as there. Sets the two flags to say which were.
ZR_INLINE void sinCosFastTable2(double x, double& sOut, double& cOut, bool& sDone, bool& cDone) {
  const double kShift = 0x1.8p52;
  const double t = x * tables::kTrigInvP + kShift;
  const double kf = t - kShift;
  const unsigned a = static_cast<unsigned>(bitsOf(t));
  const DD T0 = tables::kTrigTab[a & 255u], T1 = tables::kTrigTab[(a + 64u) & 255u],
           T2 = tables::kTrigTab[(a + 128u) & 255u];
  const DD r0 = twoSum(x - kf * tables::kTrigP1, -(kf * tables::kTrigP2));
  const double rh = r0.hi, rl = r0.lo - kf * tables::kTrigP3;
  const double r2 = rh * rh;
  const double s = (rh * r2) * (tables::kTrigS3 + r2 * (tables::kTrigS5 + r2 * tables::kTrigS7));
  const double c =
      r2 * (-0.5 + r2 * (tables::kTrigC4 + r2 * (tables::kTrigC6 + r2 * tables::kTrigC8))) - rh * rl;
  const double rls = rl + s;
  const double rhh = high26(rh), rhl = rh - rhh;
  // sin: Ta = T(a), Tb = T(a + 64)
  {
    const DD p = maskedProduct(T1.hi, rh, rhh, rhl);
    const DD h = fastTwoSum(T0.hi, p.hi);
    const double lo = (h.lo + (p.lo + (T0.lo + T1.lo * rh))) + (T1.hi * rls + T0.hi * c);
    const double err = fabs_(h.hi) * 0x1.2p-61 + 0x1p-112;
    sOut = h.hi + lo;
    sDone = kTableFastPaths && h.hi + (lo - err) == h.hi + (lo + err);
  }
  // cos: Ta = T(a + 64), Tb = T(a + 128)
  {
    const DD p = maskedProduct(T2.hi, rh, rhh, rhl);
    const DD h = fastTwoSum(T1.hi, p.hi);
    const double lo = (h.lo + (p.lo + (T1.lo + T2.lo * rh))) + (T2.hi * rls + T1.hi * c);
    const double err = fabs_(h.hi) * 0x1.2p-61 + 0x1p-112;
    cOut = h.hi + lo;
    cDone = kTableFastPaths && h.hi + (lo - err) == h.hi + (lo + err);
  }
}

}  // namespace

void sinCos(double x, double& s, double& c) {
  if (inTrigFastRange(x)) {
    bool sDone, cDone;
    sinCosFastTable2(x, s, c, sDone, cDone);
    if (!sDone) s = sinGeneral(x);
    if (!cDone) c = cosGeneral(x);
    return;
  }
  // |x| < 2^-27 (zeros and subnormals included): sin x rounds to x, cos x to 1
  if ((bitsOf(x) & 0x7fffffffffffffffULL) < 0x3e40000000000000ULL) {
    s = x;
    c = 1.0;
    return;
  }
  s = sinGeneral(x);
  c = cosGeneral(x);
}

void acosSin(double c, double& theta, double& s) {
  Unrounded a;
  if (!acosFast(c, theta, &a)) {
    theta = acosGeneral(c);
  } else if (c > -0x1.ffff8p-1) {  // c > -1 + 2^-18, so S > 2^-8.5
    // sin(theta) = S cos(d) - c sin(d), S = sqrt(1 - c^2) = sin(acos c), d = acos(c) - theta
    // (|d| <= ulp(theta)/2 <= 2^-52), so sin(theta) = S - c d within 2^-104 S. The fast path's
    // sum gives d = (a.hi - theta) + a.lo (a.hi - theta exact: the two are within a factor 2)
    // to a.err + 2^-105.
    // 1 - c^2: c^2 = P exactly (Dekker), 1 - P.hi exactly as a two-sum (P.hi <= 1), and
    // u = uh + ul normalised, exact but for the rounding of U0.lo - P.lo, which happens only
    // when P.hi < 1/2 (else U0.lo = 0): 2^-105 absolute, u > 1/2 there. |ul| <= 2^-53 uh.
    const DD P = twoProd(c, c);
    const DD U0 = fastTwoSum(1.0, -P.hi);
    const DD u = fastTwoSum(U0.hi, U0.lo - P.lo);
    // S = sh + sl: the root and one correction. sh = hh + hl (26 and 27 bits), so hh^2 and
    // 2 hh hl are exact, u.hi - hh^2 is exact (Sterbenz) and the residual is below 2^-51 u:
    // its roundings (hl^2 included), the division and the dropped second-order term are each
    // below 2^-104 S.
    const double sh = __builtin_sqrt(u.hi);
    const double hh = high26(sh), hl = sh - hh;
    const double sl = ((((u.hi - hh * hh) - (hh + hh) * hl) - hl * hl) + u.lo) / (sh + sh);
    const double d = (a.hi - theta) + a.lo;
    const double low = sl - c * d;
    // The error of d: a.err bounds it relative to theta, which near a half turn would swamp S.
    // Below -15/16 the sum is pi - 2 asin(t) (t = sqrt((1 + c)/2)), and its error is at most
    // 2^-61.9 w + 2^-100.3 with w = 2 asin(t) = pi - acos(c): the approximation of asin t, the
    // dropped terms and the polynomial's roundings scale with w, the roundings of the low
    // parts (each below 2^-50.2 + 2^-12.7 w) do not. The test allows 2^-60 w + 2^-97.
    const double errD = c < -0.9375 ? (tables::kPi.hi - theta) * 0x1p-60 + 0x1p-97 : a.err;
    // |c| errD for d, 2^-93 sh for everything else: with |c d| <= 2^-52 < 2^-43.5 S, the
    // roundings of c d, of low, of d (times |c|) and of low -+ bound, the error of S and the
    // dropped terms of the expansion add up to less than 2^-94 S.
    const double bound = __builtin_fabs(c) * errD + sh * 0x1p-93;
    if (kTableFastPaths && sh + (low - bound) == sh + (low + bound)) {
      s = sh + low;
      return;
    }
  }
  s = sin(theta);
}

bool atan2Small(double y, double x, double& out) {
  // x in [2^-400, 2^400) and positive, |y| in [2^-800, 2^400): the products and the remainder
  // below are exact there
  const std::uint64_t ux = bitsOf(x), uy = bitsOf(y) & 0x7fffffffffffffffULL;
  if (ux - 0x26f0000000000000ULL >= 0x58f0000000000000ULL - 0x26f0000000000000ULL) return false;
  if (uy - 0x0df0000000000000ULL >= 0x58f0000000000000ULL - 0x0df0000000000000ULL) return false;
  // exponents: |y/x| >= 2^-27 whenever e(y) >= e(x) - 26 (no division for those)
  if ((uy >> 52) + 26 >= (ux >> 52)) return false;
  const double z = y / x;
  const std::uint64_t uz = bitsOf(z) & 0x7fffffffffffffffULL;
  // 2^-900 <= |z| < 2^-27
  if (uz - 0x07b0000000000000ULL >= 0x3e40000000000000ULL - 0x07b0000000000000ULL) return false;
  // y/x = z + e exactly with e = (y - z x)/x: the remainder y - z x is a double, and y - p is
  // exact (p is within a few ulps of y)
  const DD p = twoProd(z, x);
  const double e = ((y - p.hi) - p.lo) / x;
  // atan(z + e) = z + d, d = e - t^3/3 + O(t^5) with t = y/x; the terms left out and the
  // roundings are below 2^-98 |z|
  const double d = e - ((z * z) * z) * (1.0 / 3.0);
  const double ad = signBit(z) ? -d : d;  // positive away from zero
  const double ulp = fromBits(uz & 0x7ff0000000000000ULL) * 0x1p-52;
  const double margin = fromBits(uz) * 0x1p-90;
  const double up = ulp * 0.5, down = (uz & 0x000fffffffffffffULL) == 0 ? ulp * 0.25 : ulp * 0.5;
  if (!(ad < up - margin && -ad < down - margin)) return false;
  out = z;
  return true;
}

}  // namespace zr_frame
