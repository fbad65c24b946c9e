#include "zr/geometryMath.h"

#include <cmath>

namespace ZR {

void geometryMath::circumCenter(Point2D A, Point2D B, Point2D C, Point2D& out) {
  const double mxAB = (B.x + A.x) * 0.5;
  const double myAB = (B.y + A.y) * 0.5;
  const double mxAC = (C.x + A.x) * 0.5;
  const double myAC = (C.y + A.y) * 0.5;
  if (A.y == B.y) {
    const double kAC = (A.y - C.y) / (A.x - C.x);
    const double mAC = -1.0 / kAC;
    out.x = mxAB;
    out.y = (myAC - mAC * mxAC) + mAC * mxAB;
  } else if (A.y == C.y) {
    const double kAB = (A.y - B.y) / (A.x - B.x);
    const double mAB = -1.0 / kAB;
    out.x = mxAC;
    out.y = (myAB - mAB * mxAB) + mAB * mxAC;
  } else {
    const double kAB = (A.y - B.y) / (A.x - B.x);
    const double kAC = (A.y - C.y) / (A.x - C.x);
    const double mAB = -1.0 / kAB;
    const double mAC = -1.0 / kAC;
    const double bAB = myAB - mAB * mxAB;
    const double bAC = myAC - mAC * mxAC;
    const double x = (bAC - bAB) / (mAB - mAC);
    out.x = x;
    out.y = x * mAB + bAB;
  }
}

void geometryMath::inCenter(Point2D A, Point2D B, Point2D C, Point2D& out) {
  const double a = std::sqrt((B.x - C.x) * (B.x - C.x) + (B.y - C.y) * (B.y - C.y));
  const double b = std::sqrt((A.x - C.x) * (A.x - C.x) + (A.y - C.y) * (A.y - C.y));
  const double c = std::sqrt((A.x - B.x) * (A.x - B.x) + (A.y - B.y) * (A.y - B.y));
  const double p = (a + c) + b;
  out.x = (a * A.x) / p + (b * B.x) / p + (c * C.x) / p;
  out.y = (a * A.y) / p + (b * B.y) / p + (c * C.y) / p;
}

}  // namespace ZR
