# Debian packages from the install components (cmake/ZRInstall.cmake):
#   libzr<major>  the shared library and its SONAME link (runtime)
#   libzr-dev     headers, the libzr.so link, the CMake package and zr.pc (dev)
# Configure with -DCMAKE_INSTALL_PREFIX=/usr -DZR_DEBIAN=ON (the deb preset), then run cpack.
option(ZR_DEBIAN "Install the Debian copyright and changelog files with each component" OFF)
set(ZR_DEB_MAINTAINER "zr developers <zr-developers@example.org>" CACHE STRING "Maintainer of the Debian packages")
set(ZR_DEB_RELEASE 1 CACHE STRING "Debian revision of the packages")

set(ZR_DEB_RUNTIME libzr${PROJECT_VERSION_MAJOR})
set(ZR_DEB_VERSION ${PROJECT_VERSION}-${ZR_DEB_RELEASE})

if(ZR_DEBIAN)
  # Every Debian package carries its copyright file and a changelog compressed with gzip -9n.
  configure_file(cmake/deb/changelog.in ${PROJECT_BINARY_DIR}/deb/changelog.Debian @ONLY)
  execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/deb/changelog.Debian RESULT_VARIABLE gz)
  if(NOT gz EQUAL 0)
    message(FATAL_ERROR "gzip failed on the Debian changelog")
  endif()
  foreach(pair IN ITEMS "runtime;${ZR_DEB_RUNTIME}" "dev;libzr-dev")
    list(GET pair 0 component)
    list(GET pair 1 package)
    install(FILES cmake/deb/copyright ${PROJECT_BINARY_DIR}/deb/changelog.Debian.gz
      DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
  endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zr)
set(CPACK_PACKAGE_VENDOR "zr developers")
set(CPACK_PACKAGE_CONTACT "${ZR_DEB_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# Each package's description starts with its own synopsis line; cmake/ZRCPackOptions.cmake keeps
# CPack from putting the project-wide summary in front of it.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/ZRCPackOptions.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE zr)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZR_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZR_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(ZR_DEB_ABOUT
  "zr is a C++17 library for 3-D orientation, small dense matrices, sample\n"
  "statistics, planar curves and point sets, and small integer images. Every\n"
  "result is defined to the bit by a fixed order of IEEE-754 operations and is\n"
  "the same on every build, compiler and architecture.")
string(CONCAT ZR_DEB_ABOUT ${ZR_DEB_ABOUT})

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${ZR_DEB_RUNTIME})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# The library sits in a directory the dynamic loader searches: the package activates libc's
# ldconfig trigger (CPack's postinst also calls ldconfig, which is harmless).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/deb/triggers)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "bit-reproducible numerics library - shared library\n${ZR_DEB_ABOUT}\n.\nThis package contains the shared library.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libzr-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${ZR_DEB_RUNTIME} (= ${ZR_DEB_VERSION})")
set(CPACK_DEBIAN_DEV_DESCRIPTION
  "bit-reproducible numerics library - development files\n${ZR_DEB_ABOUT}\n.\n"
  "This package contains the headers, the CMake package (find_package(ZR))\n"
  "and the pkg-config file (zr).")
string(CONCAT CPACK_DEBIAN_DEV_DESCRIPTION ${CPACK_DEBIAN_DEV_DESCRIPTION})

include(CPack)
