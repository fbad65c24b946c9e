#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "zr/mathMatrix.h"

namespace {

using ZR::mathMatrix;
using F = std::vector<std::vector<float>>;
using D = std::vector<std::vector<double>>;

void expectOutOfRange(const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_EQ(std::string(e.what()), "invalid vector<T> subscript");
  }
}

std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

TEST(Rearrange, MirrorLeftRight) {
  mathMatrix m;
  const D in{{1, 2, 3}, {4, 5, 6, 99}};  // longer rows are read only up to row 0's length
  D out;
  m.fiplr(in, out);
  EXPECT_EQ(out, (D{{3, 2, 1}, {6, 5, 4}}));
  D held{{7}};
  m.fiplr(in, held);
  EXPECT_EQ(held, (D{{7}}));
  D none;
  m.fiplr(D{}, none);
  EXPECT_TRUE(none.empty());
  expectOutOfRange([&] { m.fiplr(D{{1, 2}, {3}}, none); });
  EXPECT_TRUE(none.empty());
}

TEST(Rearrange, MirrorUpDownAndTriangles) {
  mathMatrix m;
  F out(3, std::vector<float>(2, -1.0f));
  m.fipud({{1, 2}, {3, 4}, {5, 6}}, out);
  EXPECT_EQ(out, (F{{5, 6}, {3, 4}, {1, 2}}));

  const F sq{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  F t(3, std::vector<float>(3));
  m.tril(sq, t);
  EXPECT_EQ(t, (F{{1, 0, 0}, {4, 5, 0}, {7, 8, 9}}));
  m.triu(sq, t);
  EXPECT_EQ(t, (F{{1, 2, 3}, {0, 5, 6}, {0, 0, 9}}));
  EXPECT_EQ(bits(t[1][0]), 0u);  // the written zero is +0.0f

  F w(2, std::vector<float>(3));
  m.tril({{1, 2, 3}, {4, 5, 6}}, w);
  EXPECT_EQ(w, (F{{1, 0, 0}, {4, 5, 0}}));
  m.triu({{1, 2, 3}, {4, 5, 6}}, w);
  EXPECT_EQ(w, (F{{1, 2, 3}, {0, 5, 6}}));

  F big(3, std::vector<float>(3, 7.0f));  // only the 2 × 2 block is written
  m.tril({{1, 2}, {3, 4}}, big);
  EXPECT_EQ(big, (F{{1, 0, 7}, {3, 4, 7}, {7, 7, 7}}));
}

TEST(Rearrange, QuarterTurn) {
  mathMatrix m;
  F out(2, std::vector<float>(2));
  m.rot90({{1, 2}, {3, 4}}, out);
  EXPECT_EQ(out, (F{{3, 1}, {4, 2}}));
  F out3(3, std::vector<float>(3));
  m.rot90({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, out3);
  EXPECT_EQ(out3, (F{{7, 4, 1}, {8, 5, 2}, {9, 6, 3}}));

  F tall(2, std::vector<float>(3));  // 3 × 2 input, 2 × 3 result
  m.rot90({{1, 2}, {3, 4}, {5, 6}}, tall);
  EXPECT_EQ(tall, (F{{5, 3, 1}, {6, 4, 2}}));

  // Four quarter turns give the input back, bit for bit.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const F& start : {F{{1, -0.0f, 3}, {nan, 5, 6}, {7, 8, 9}}, F{{1, 2, 3, 4}, {-0.0f, nan, 7, 8}}}) {
    F cur = start;
    for (int turn = 0; turn < 4; ++turn) {
      F next(cur[0].size(), std::vector<float>(cur.size()));
      m.rot90(cur, next);
      cur = next;
    }
    ASSERT_EQ(cur.size(), start.size());
    for (std::size_t i = 0; i < cur.size(); ++i)
      for (std::size_t j = 0; j < cur[i].size(); ++j) EXPECT_EQ(bits(cur[i][j]), bits(start[i][j]));
  }
}

TEST(Rearrange, PayloadsCopiedBitForBit) {
  mathMatrix m;
  float payload;
  const std::uint32_t pattern = 0x7fc12345u;
  std::memcpy(&payload, &pattern, sizeof payload);
  const F in{{-0.0f, payload}, {payload, -0.0f}};
  F out(2, std::vector<float>(2));
  m.fipud(in, out);
  EXPECT_EQ(bits(out[0][0]), pattern);
  EXPECT_EQ(bits(out[0][1]), bits(-0.0f));
  m.tril(in, out);
  EXPECT_EQ(bits(out[0][0]), bits(-0.0f));
  EXPECT_EQ(bits(out[1][0]), pattern);
  m.triu(in, out);
  EXPECT_EQ(bits(out[0][1]), pattern);
}

TEST(Rearrange, BadShapesLeaveOutUntouched) {
  mathMatrix m;
  const F before(3, std::vector<float>(3, 7.0f));
  const F sq{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  const F ragged{{1, 2, 3}, {4, 5}, {7, 8, 9}};
  F shortRow = before;
  shortRow[2].resize(2);
  const F fewRows(2, std::vector<float>(3, 7.0f));
  using Op = void (mathMatrix::*)(F, F&);
  for (Op op : {&mathMatrix::fipud, &mathMatrix::tril, &mathMatrix::triu, &mathMatrix::rot90}) {
    F out = before;
    expectOutOfRange([&] { (m.*op)(ragged, out); });
    EXPECT_EQ(out, before);
    F small = shortRow;
    expectOutOfRange([&] { (m.*op)(sq, small); });
    EXPECT_EQ(small, shortRow);
    F few = fewRows;
    expectOutOfRange([&] { (m.*op)(sq, few); });
    EXPECT_EQ(few, fewRows);
    F untouched = before;
    (m.*op)(F{}, untouched);  // no rows: nothing happens
    EXPECT_EQ(untouched, before);
  }
  F wide(3, std::vector<float>(2));  // rot90 of 2 × 3 needs a 3 × 2 result, not 2 × 3
  F wrong(2, std::vector<float>(3, 7.0f));
  expectOutOfRange([&] { m.rot90({{1, 2, 3}, {4, 5, 6}}, wrong); });
  EXPECT_EQ(wrong, F(2, std::vector<float>(3, 7.0f)));
  m.rot90({{1, 2, 3}, {4, 5, 6}}, wide);
  EXPECT_EQ(wide, (F{{4, 1}, {5, 2}, {6, 3}}));
}

}  // namespace
