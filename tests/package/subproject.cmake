# What a project that pulls zr in as a subproject may rely on: zr adds only its library (no tests,
# examples or fuzz targets), and leaves the build type and -Werror to the parent.
if(CMAKE_BUILD_TYPE)
  message(FATAL_ERROR "zr set the parent's build type to '${CMAKE_BUILD_TYPE}'")
endif()
get_property(zr_subdirs DIRECTORY ${zr_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
if(zr_subdirs)
  message(FATAL_ERROR "zr added subdirectories as a subproject: ${zr_subdirs}")
endif()
get_target_property(zr_options zr COMPILE_OPTIONS)
if("-Werror" IN_LIST zr_options)
  message(FATAL_ERROR "zr turned warnings into errors as a subproject")
endif()

add_executable(consumer ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(consumer PRIVATE ZR::zr)
