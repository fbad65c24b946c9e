// Links against an installed libzr and checks one exact result.
#include <zr/zr.h>

#include <cstdio>

int main() {
  ZR::mathCommon m;
  const double d = m.eucDistancePoint22({0.1f, 0.2f}, {0.3f, 0.7f});
  std::printf("consumer: %.17g\n", d);
  return d == 0.5385165214538574 ? 0 : 1;
}
