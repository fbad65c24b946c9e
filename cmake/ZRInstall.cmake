# Install rules in two components: runtime (the shared library and its SONAME link) and dev
# (headers, the unversioned link, the CMake package and the pkg-config file). The Debian packages
# libzr1 and libzr-dev are exactly these two (cmake/ZRPackage.cmake).
include(CMakePackageConfigHelpers)

install(TARGETS zr EXPORT ZRTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(DIRECTORY include/zr DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h")

set(ZR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZR)
install(EXPORT ZRTargets NAMESPACE ZR:: DESTINATION ${ZR_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/ZRConfig.cmake.in ${PROJECT_BINARY_DIR}/ZRConfig.cmake
  INSTALL_DESTINATION ${ZR_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ZRConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ZRConfig.cmake ${PROJECT_BINARY_DIR}/ZRConfigVersion.cmake
  DESTINATION ${ZR_CMAKE_DIR} COMPONENT dev)

# The .pc file locates the prefix relative to itself, so the install can be moved (cmake --install --prefix).
file(RELATIVE_PATH ZR_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
configure_file(cmake/zr.pc.in ${PROJECT_BINARY_DIR}/zr.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zr.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

include(cmake/ZRPackage.cmake)
