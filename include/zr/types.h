#pragma once

// Value types shared by every zr family. All are plain aggregates: no constructors, public
// fields in the order listed, passed by value as inputs and by reference as results.

#include <cstdint>

namespace ZR {

/// A point or vector in the plane. As polar coordinates x holds the angle (radians), y the radius.
struct Point2D {
  double x;  ///< x coordinate (polar: the angle)
  double y;  ///< y coordinate (polar: the radius)
};

/// A point in the plane in single precision.
struct Point2F {
  float x;  ///< x coordinate
  float y;  ///< y coordinate
};

/// A point or vector in space.
struct Point3D {
  double x;  ///< x coordinate
  double y;  ///< y coordinate
  double z;  ///< z coordinate
};

/// The quaternion w + x·i + y·j + z·k, scalar part first. A rotation by θ about the unit axis n
/// is (cos(θ/2), n·sin(θ/2)); the identity is {1, 0, 0, 0}. Products are Hamilton products.
struct QuaD {
  double w;  ///< scalar part
  double x;  ///< coefficient of i
  double y;  ///< coefficient of j
  double z;  ///< coefficient of k
};

/// One pixel of a colour image.
struct colorChannel {
  std::int32_t red;    ///< red level
  std::int32_t green;  ///< green level
  std::int32_t blue;   ///< blue level
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
