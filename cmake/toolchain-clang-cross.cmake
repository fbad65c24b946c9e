# Linux cross build with Clang for the triple in ZR_CROSS_TRIPLE, against Debian's cross libc and
# libstdc++ (libc6-dev-<arch>-cross, libstdc++-12-dev-<arch>-cross, libgcc-12-dev-<arch>-cross,
# binutils-<triple>); programs run under qemu-user with that sysroot. Clang rather than the GCC
# cross compilers because those cannot be installed beside g++-multilib on Debian.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${ZR_CROSS_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${ZR_CROSS_TRIPLE})
set(CMAKE_LIBRARY_ARCHITECTURE ${ZR_CROSS_TRIPLE})
set(ZR_CROSS_SYSROOT /usr/${ZR_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH ${ZR_CROSS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
find_program(ZR_QEMU qemu-${CMAKE_SYSTEM_PROCESSOR} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZR_QEMU} -L ${ZR_CROSS_SYSROOT})
