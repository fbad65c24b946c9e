// 3-D vector operations of mathCommon.

#include <cmath>

#include "frame/elementary_functions.h"
#include "zr/mathCommon.h"

namespace ZR {
namespace {

// (v.y² + v.x²) + v.z², the order every vector length in this file uses.
double squaredLength(const Point3D& v) { return (v.y * v.y + v.x * v.x) + v.z * v.z; }

double dot(const Point3D& a, const Point3D& b) { return (a.y * b.y + a.x * b.x) + a.z * b.z; }

// ((a·b) / |a|) / |b|, clamped to [−1, 1]; NaN passes through.
double clampedCosine(const Point3D& a, const Point3D& b) {
  const double c = (dot(a, b) / std::sqrt(squaredLength(a))) / std::sqrt(squaredLength(b));
  if (c >= 1.0) return 1.0;
  if (c <= -1.0) return -1.0;
  return c;
}

constexpr double kPi = 3.141592653589793;

}  // namespace

double mathCommon::eucDistancePoint22(Point2F a, Point2F b) {
  const float dx = a.x - b.x;
  const float dy = a.y - b.y;
  const float s = dy * dy + dx * dx;
  return static_cast<double>(static_cast<float>(std::sqrt(static_cast<double>(s))));
}

double mathCommon::eucDistancePoint33(Point3D a, Point3D b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  const double dz = a.z - b.z;
  return std::sqrt((dx * dx + dy * dy) + dz * dz);
}

double mathCommon::vector3Norm(Point3D v) { return std::sqrt(squaredLength(v)); }

double mathCommon::vectorNorm1(const std::vector<double>& v) {
  double s = 0.0;
  for (const double e : v) s = s + static_cast<double>(std::fabs(static_cast<float>(e)));
  return s;
}

double mathCommon::vector3NormSquare(Point3D v) { return squaredLength(v); }

void mathCommon::vectorUnitize(Point3D v, Point3D& out) {
  const double n = std::sqrt(squaredLength(v));
  if (n == 0.0) {
    out = Point3D{0.0, 0.0, 0.0};
    return;
  }
  out = Point3D{v.x / n, v.y / n, v.z / n};
}

double mathCommon::vector3AngleRadian(Point3D a, Point3D b) { return zr_frame::acos(clampedCosine(a, b)); }

double mathCommon::vector3AngleDegree(Point3D a, Point3D b) {
  return zr_frame::acos(clampedCosine(a, b)) * 180.0 / kPi;
}

double mathCommon::cos3Vector(Point3D a, Point3D b) {
  const double na = std::sqrt(squaredLength(a));
  const double nb = std::sqrt(squaredLength(b));
  if (na == 0.0 || nb == 0.0) return 0.0;
  return dot(a, b) / (nb * na);
}

double mathCommon::dotProduct3(Point3D a, Point3D b) { return dot(a, b); }

void mathCommon::crossVector3(Point3D a, Point3D b, Point3D& out) {
  out = Point3D{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace ZR
