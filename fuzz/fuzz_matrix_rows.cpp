// mathMatrix on vectors of rows: the generators, the rearrangements and the column statistics, on
// any shapes (no rows, empty rows, ragged rows), any values and result containers that already
// hold rows.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "zr/mathMatrix.h"

namespace {

using Rows = std::vector<std::vector<double>>;
using FRows = std::vector<std::vector<float>>;
using IRows = std::vector<std::vector<int>>;

template <class T>
bool rectangular(const std::vector<std::vector<T>>& m) {
  for (const auto& row : m)
    if (row.size() != m[0].size()) return false;
  return true;
}

// A size: any negative value or zero, or a positive one up to max (larger ones would only ask for
// honest, huge matrices).
std::int32_t order(zrfuzz::Input& in, std::int32_t max) {
  const std::int32_t v = in.intMostly(-1, max);
  return v > max ? v % (max + 1) : v;
}

std::size_t count(std::int32_t n) { return n < 1 ? 0 : static_cast<std::size_t>(n); }

// The rows of out from position from on equal the expected shape.
template <class T>
bool appended(const std::vector<std::vector<T>>& out, std::size_t from, std::size_t r, std::size_t c) {
  if (out.size() != from + r) return false;
  for (std::size_t i = from; i < out.size(); ++i)
    if (out[i].size() != c) return false;
  return true;
}

template <class T>
std::vector<std::size_t> shapeOf(const std::vector<std::vector<T>>& m) {
  std::vector<std::size_t> s;
  for (const auto& row : m) s.push_back(row.size());
  return s;
}

void generators(zrfuzz::Input& in, ZR::mathMatrix& mm) {
  const std::uint8_t op = in.byte();
  const bool startEmpty = in.byte() % 3 != 0;
  IRows iout = startEmpty ? IRows{} : IRows{{7, 8}};
  Rows dout = startEmpty ? Rows{} : Rows{{7.0}};
  const IRows ibefore = iout;
  const Rows dbefore = dout;
  switch (op % 6) {
    case 0:
    case 1: {
      const std::int32_t r = order(in, 40);
      const std::int32_t c = order(in, 40);
      const bool ok = zrfuzz::guarded([&] { op % 6 == 0 ? mm.ones(r, c, iout) : mm.zeros(r, c, iout); });
      ZR_FUZZ_CHECK(ok);
      if (!startEmpty)
        ZR_FUZZ_CHECK(iout == ibefore);
      else
        ZR_FUZZ_CHECK(zrfuzz::shaped(iout, count(r), count(c)));
      for (const auto& row : iout)
        for (const int e : row) ZR_FUZZ_CHECK(startEmpty ? e == (op % 6 == 0 ? 1 : 0) : true);
      break;
    }
    case 2: {
      const std::int32_t n = order(in, 40);
      ZR_FUZZ_CHECK(zrfuzz::guarded([&] { mm.hilb(n, dout); }));
      if (!startEmpty)
        ZR_FUZZ_CHECK(zrfuzz::same(dout, dbefore));
      else
        ZR_FUZZ_CHECK(zrfuzz::shaped(dout, count(n), count(n)));
      break;
    }
    case 3: {
      // Orders from 18 on no longer fit the int entries (they wrap, never overflow).
      const std::int32_t n = order(in, 40);
      ZR_FUZZ_CHECK(zrfuzz::guarded([&] { mm.pascal2(n, iout); }));
      ZR_FUZZ_CHECK(appended(iout, ibefore.size(), count(n), count(n)));
      for (std::size_t i = 0; i < ibefore.size(); ++i) ZR_FUZZ_CHECK(iout[i] == ibefore[i]);
      break;
    }
    default: {
      const std::vector<double> x = in.reals(30);
      const std::vector<double> xCopy = x;
      ZR_FUZZ_CHECK(zrfuzz::guarded([&] { op % 6 == 4 ? mm.vander(x, dout) : mm.toeplitz(x, dout); }));
      ZR_FUZZ_CHECK(zrfuzz::same(x, xCopy));
      ZR_FUZZ_CHECK(appended(dout, dbefore.size(), x.size(), x.size()));
      for (std::size_t i = 0; i < dbefore.size(); ++i) ZR_FUZZ_CHECK(zrfuzz::same(dout[i], dbefore[i]));
      break;
    }
  }
}

void rearrangements(zrfuzz::Input& in, ZR::mathMatrix& mm) {
  const std::uint8_t op = in.byte();
  if (op % 5 == 0) {
    const Rows m = in.realRows(10, 10);
    const Rows copy = m;
    Rows out = in.byte() % 3 == 0 ? Rows{{1.0}} : Rows{};
    const Rows before = out;
    const bool ok = zrfuzz::guarded([&] { mm.fiplr(m, out); });
    ZR_FUZZ_CHECK(zrfuzz::same(m, copy));
    if (!ok) ZR_FUZZ_CHECK(zrfuzz::same(out, before));
    if (ok && before.empty() && !m.empty() && rectangular(m))
      ZR_FUZZ_CHECK(zrfuzz::shaped(out, m.size(), m[0].size()));
    if (!before.empty()) {
      ZR_FUZZ_CHECK(zrfuzz::same(out, before));
    } else if (ok && !m.empty() && rectangular(m)) {
      ZR_FUZZ_CHECK(zrfuzz::shaped(out, m.size(), m[0].size()));
      for (std::size_t i = 0; i < m.size(); ++i)
        for (std::size_t j = 0; j < m[i].size(); ++j)
          ZR_FUZZ_CHECK(zrfuzz::same(out[i][j], m[i][m[i].size() - 1 - j]));
    }
    return;
  }
  const FRows m = in.rows<float>(10, 10, [&in] { return in.real32(); });
  // The result is shaped by the caller: mostly large enough, sometimes too small or ragged.
  FRows out = in.rows<float>(12, 12, [&in] { return in.real32(); });
  const FRows copy = m;
  const FRows outBefore = out;
  const auto shape = shapeOf(out);
  const bool ok = zrfuzz::guarded([&] {
    switch (op % 5) {
      case 1:
        mm.fipud(m, out);
        break;
      case 2:
        mm.tril(m, out);
        break;
      case 3:
        mm.triu(m, out);
        break;
      default:
        mm.rot90(m, out);
        break;
    }
  });
  ZR_FUZZ_CHECK(zrfuzz::same(m, copy));
  // These overwrite entries only: the result keeps its shape, and a refusal writes nothing.
  ZR_FUZZ_CHECK(shapeOf(out) == shape);
  if (!ok) ZR_FUZZ_CHECK(zrfuzz::same(out, outBefore));
  if (m.empty()) {
    ZR_FUZZ_CHECK(ok && zrfuzz::same(out, outBefore));
    return;
  }
  if (!rectangular(m)) return;
  // A rectangular input and a result large enough for the block: it must succeed.
  const std::size_t r = m.size();
  const std::size_t c = m[0].size();
  const bool turn = op % 5 == 4;
  const std::size_t needRows = turn ? c : r;
  const std::size_t needCols = turn ? r : c;
  bool fits = outBefore.size() >= needRows;
  for (std::size_t i = 0; fits && i < needRows; ++i) fits = outBefore[i].size() >= needCols;
  if (!fits) return;
  ZR_FUZZ_CHECK(ok);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) {
      switch (op % 5) {
        case 1:
          ZR_FUZZ_CHECK(zrfuzz::same(out[i][j], m[r - 1 - i][j]));
          break;
        case 2:
          ZR_FUZZ_CHECK(zrfuzz::same(out[i][j], j <= i ? m[i][j] : 0.0f));
          break;
        case 3:
          ZR_FUZZ_CHECK(zrfuzz::same(out[i][j], j >= i ? m[i][j] : 0.0f));
          break;
        default:
          ZR_FUZZ_CHECK(zrfuzz::same(out[j][r - 1 - i], m[i][j]));
          break;
      }
    }
}

void statistics(zrfuzz::Input& in, ZR::mathMatrix& mm) {
  const std::uint8_t op = in.byte();
  const Rows a = in.realRows(10, 10);
  const Rows copy = a;
  switch (op % 5) {
    case 0: {
      const bool ok = zrfuzz::guarded([&] {
        const double q = mm.prod(a);
        if (a.empty()) ZR_FUZZ_CHECK(zrfuzz::same(q, 0.0));
      });
      ZR_FUZZ_CHECK(ok);
      break;
    }
    case 1: {
      const Rows b = in.byte() % 2 == 0 ? a : in.realRows(10, 10);
      const bool ok = zrfuzz::guarded([&] { (void)mm.corr2(a, b); });
      std::size_t na = 0, nb = 0;
      for (const auto& row : a) na += row.size();
      for (const auto& row : b) nb += row.size();
      if (a.empty() || b.empty() || na != nb) ZR_FUZZ_CHECK(!ok);
      break;
    }
    case 2: {
      Rows r;
      const bool ok = zrfuzz::guarded([&] { r = mm.cov(a); });
      if (ok && !a.empty() && rectangular(a)) ZR_FUZZ_CHECK(zrfuzz::shaped(r, a[0].size(), a[0].size()));
      if (ok && a.empty()) ZR_FUZZ_CHECK(r.empty());
      break;
    }
    default: {
      Rows out = in.byte() % 3 == 0 ? Rows{{1.0, 2.0}} : Rows{};
      const Rows before = out;
      const bool ok = zrfuzz::guarded([&] { op % 5 == 3 ? mm.dataCenter(a, out) : mm.zscore(a, out); });
      if (a.empty()) ZR_FUZZ_CHECK(zrfuzz::same(out, before));
      if (ok && !a.empty() && rectangular(a))
        ZR_FUZZ_CHECK(appended(out, before.size(), a.size(), a[0].size()));
      for (std::size_t i = 0; i < before.size() && i < out.size(); ++i)
        ZR_FUZZ_CHECK(zrfuzz::same(out[i], before[i]));
      break;
    }
  }
  ZR_FUZZ_CHECK(zrfuzz::same(a, copy));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zrfuzz::Input in(data, size);
  ZR::mathMatrix mm;
  switch (in.byte() % 3) {
    case 0:
      generators(in, mm);
      break;
    case 1:
      rearrangements(in, mm);
      break;
    default:
      statistics(in, mm);
      break;
  }
  return 0;
}
