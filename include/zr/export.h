#pragma once

// ZR_API marks the classes whose member functions libzr exports; everything else in the
// library is hidden.
#if defined(_WIN32)
#  if defined(ZR_BUILDING_LIBRARY)
#    define ZR_API __declspec(dllexport)
#  else
#    define ZR_API __declspec(dllimport)
#  endif
#else
#  define ZR_API __attribute__((visibility("default")))
#endif
