#pragma once

// Value types shared by every zr family. All are plain aggregates: no constructors, public
// fields in the order listed, passed by value as inputs and by reference as results.

#include <cstdint>

namespace ZR {

/// A point or vector in the plane. As polar coordinates x holds the angle (radians), y the radius.
struct Point2D {
  double x;
  double y;
};

/// A point in the plane in single precision.
struct Point2F {
  float x;
  float y;
};

/// A point or vector in space.
struct Point3D {
  double x;
  double y;
  double z;
};

/// The quaternion w + x·i + y·j + z·k, scalar part first. A rotation by θ about the unit axis n
/// is (cos(θ/2), n·sin(θ/2)); the identity is {1, 0, 0, 0}. Products are Hamilton products.
struct QuaD {
  double w;
  double x;
  double y;
  double z;
};

/// One pixel of a colour image.
struct colorChannel {
  std::int32_t red;
  std::int32_t green;
  std::int32_t blue;
};

/// The order in which the three elementary rotations of an Euler triple a are composed.
/// a[0] is always the angle about x, a[1] about y, a[2] about z, whatever the order; the letters
/// name the factors from left to right, e.g. ZYX is qZ(a[2])·qY(a[1])·qX(a[0]) (as matrices in the
/// column-vector layout, Rz·Ry·Rx). The underlying type is fixed, so any int32 value (also
/// outside 0…5) can be passed; each Euler operation documents what it does with those.
enum ChannelOrderEuler : std::int32_t {
  XYZ = 0,
  XZY = 1,
  YXZ = 2,
  YZX = 3,
  ZXY = 4,
  ZYX = 5,
};

}  // namespace ZR
