#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "support.h"
#include "zr/mathMatrix.h"

namespace {

using F = std::vector<std::vector<float>>;
using D = std::vector<std::vector<double>>;
using zrtest::expectOutOfRange;
ZR::mathMatrix m;

F shaped(std::size_t r, std::size_t c) { return F(r, std::vector<float>(c, 7.0f)); }

std::vector<std::uint32_t> bits(const F& a) {
  std::vector<std::uint32_t> out;
  for (const auto& row : a)
    for (const float f : row) out.push_back(0), std::memcpy(&out.back(), &f, sizeof f);
  return out;
}

TEST(Rearrange, Mirrors) {
  D out, held{{7}}, none;
  m.fiplr({{1, 2, 3}, {4, 5, 6, 99}}, out);  // longer rows are read up to row 0's length
  m.fiplr({{1, 2, 3}}, held);
  EXPECT_EQ(out, (D{{3, 2, 1}, {6, 5, 4}}));
  EXPECT_EQ(held, (D{{7}}));
  expectOutOfRange([&] { m.fiplr({{1, 2}, {3}}, none); });
  EXPECT_TRUE(none.empty());
  F up = shaped(3, 2);
  m.fipud({{1, 2}, {3, 4}, {5, 6}}, up);
  EXPECT_EQ(up, (F{{5, 6}, {3, 4}, {1, 2}}));
}

TEST(Rearrange, Triangles) {
  const F sq{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, wide{{1, 2, 3}, {4, 5, 6}};
  F lo = shaped(3, 3), hi = shaped(3, 3), wlo = shaped(2, 3), whi = shaped(2, 3), big = shaped(3, 3);
  m.tril(sq, lo);
  m.triu(sq, hi);
  m.tril(wide, wlo);
  m.triu(wide, whi);
  m.tril({{1, 2}, {3, 4}}, big);  // only the 2 × 2 block is written
  EXPECT_EQ(lo, (F{{1, 0, 0}, {4, 5, 0}, {7, 8, 9}}));
  EXPECT_EQ(hi, (F{{1, 2, 3}, {0, 5, 6}, {0, 0, 9}}));
  EXPECT_EQ(bits(hi)[3], 0u);  // the zero written is +0.0f
  EXPECT_EQ(wlo, (F{{1, 0, 0}, {4, 5, 0}}));
  EXPECT_EQ(whi, (F{{1, 2, 3}, {0, 5, 6}}));
  EXPECT_EQ(big, (F{{1, 0, 7}, {3, 4, 7}, {7, 7, 7}}));
}

TEST(Rearrange, QuarterTurns) {
  F tall = shaped(2, 3);
  m.rot90({{1, 2}, {3, 4}, {5, 6}}, tall);  // 3 × 2 turns into 2 × 3, clockwise
  EXPECT_EQ(tall, (F{{5, 3, 1}, {6, 4, 2}}));
  // Four turns give the input back bit for bit, −0.0f and a NaN payload included.
  float payload;
  const std::uint32_t pattern = 0x7fc12345u;
  std::memcpy(&payload, &pattern, sizeof payload);
  for (const F& start :
       {F{{1, -0.0f, 3}, {payload, 5, 6}, {7, 8, 9}}, F{{1, 2, 3, 4}, {-0.0f, payload, 7, 8}}}) {
    F cur = start;
    for (int turn = 0; turn < 4; ++turn) {
      F next = shaped(cur[0].size(), cur.size());
      m.rot90(cur, next);
      cur = next;
    }
    EXPECT_EQ(bits(cur), bits(start));
  }
}

// Ragged inputs and results smaller than the written block fail before anything is written.
TEST(Rearrange, BadShapesLeaveOutUntouched) {
  const F sq{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, ragged{{1, 2, 3}, {4, 5}, {7, 8, 9}};
  F shortRow = shaped(3, 3);
  shortRow[2].resize(2);
  using Op = void (ZR::mathMatrix::*)(F, F&);
  for (Op op :
       {&ZR::mathMatrix::fipud, &ZR::mathMatrix::tril, &ZR::mathMatrix::triu, &ZR::mathMatrix::rot90}) {
    for (const std::pair<F, F>& c : {std::pair{ragged, shaped(3, 3)}, {sq, shortRow}, {sq, shaped(2, 3)}}) {
      F out = c.second;
      expectOutOfRange([&] { (m.*op)(c.first, out); });
      EXPECT_EQ(out, c.second);
    }
    F out = shaped(3, 3);
    (m.*op)(F{}, out);  // no rows: nothing happens
    EXPECT_EQ(out, shaped(3, 3));
  }
  F wrong = shaped(2, 3);  // a 2 × 3 input turns into 3 × 2
  expectOutOfRange([&] { m.rot90({{1, 2, 3}, {4, 5, 6}}, wrong); });
  EXPECT_EQ(wrong, shaped(2, 3));
}

}  // namespace
