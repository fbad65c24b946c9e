# The one place for compiler flags. Every zr target (library, tests, examples, tools) calls
# zr_apply_flags(); nothing else sets compile options.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

set(ZR_SANITIZE "" CACHE STRING "Sanitizers for every zr target, e.g. address,undefined or thread")
option(ZR_WERROR "Treat warnings as errors" ON)

if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  set(ZR_X86_32 ON)
else()
  set(ZR_X86_32 OFF)
endif()

# Whether the compiler, with the user's flags, targets x86 (32 or 64 bit).
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("
#if !defined(__x86_64__) && !defined(__i386__)
#error not x86
#endif
int main() { return 0; }" ZR_TARGETS_X86)

function(zr_apply_flags target)
  # Results are defined by the order of operations in the source: no contraction into fused
  # multiply-adds, no value-changing optimisations, and on 32-bit x86 SSE2 arithmetic, never x87.
  target_compile_options(${target} PRIVATE -ffp-contract=off -fno-fast-math)
  if(ZR_X86_32)
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
  # No fused multiply-add instructions on x86, whatever -march the user adds: GCC 12's vectorizer
  # fuses a multiply feeding alternating adds and subtracts into vfmaddsub even under
  # -ffp-contract=off. AVX-512F carries FMA forms of its own that -mno-fma leaves on in GCC. An
  # explicit -mno-* wins over any -march, wherever it stands on the command line.
  if(ZR_TARGETS_X86)
    target_compile_options(${target} PRIVATE -mno-fma -mno-fma4 -mno-avx512f)
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion
                                           -Wshadow -Wnon-virtual-dtor)
  if(ZR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(ZR_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${ZR_SANITIZE} -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=${ZR_SANITIZE})
  endif()
endfunction()
