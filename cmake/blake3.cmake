# BLAKE3's reference C implementation, compiled from the sources that Debian's
# librust-blake3-dev installs (scripts/setup installs it); nothing of it is kept here.
# The portable code serves every processor; the SIMD variants are compiled for
# their instruction sets only and chosen at run time, so the 32-bit build still
# runs without SSE2.
file(GLOB BLAKE3_CANDIDATES LIST_DIRECTORIES true /usr/share/cargo/registry/blake3-*/c)
list(SORT BLAKE3_CANDIDATES)
list(POP_BACK BLAKE3_CANDIDATES BLAKE3_DIR)
if(NOT BLAKE3_DIR OR NOT EXISTS "${BLAKE3_DIR}/blake3.h")
  message(FATAL_ERROR "BLAKE3 sources not found: install Debian's librust-blake3-dev (scripts/setup does)")
endif()

set(BLAKE3_SOURCES ${BLAKE3_DIR}/blake3.c ${BLAKE3_DIR}/blake3_dispatch.c ${BLAKE3_DIR}/blake3_portable.c)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # The 64-bit compiler cannot align spilled AVX registers on the Windows stack:
  # the hand-written assembly for this platform instead.
  enable_language(ASM)
  foreach(variant sse2 sse41 avx2 avx512)
    list(APPEND BLAKE3_SOURCES ${BLAKE3_DIR}/blake3_${variant}_x86-64_windows_gnu.S)
  endforeach()
else()
  foreach(variant sse2 sse41 avx2 avx512)
    list(APPEND BLAKE3_SOURCES ${BLAKE3_DIR}/blake3_${variant}.c)
  endforeach()
  set_source_files_properties(${BLAKE3_DIR}/blake3_sse2.c PROPERTIES COMPILE_OPTIONS "-msse2")
  set_source_files_properties(${BLAKE3_DIR}/blake3_sse41.c PROPERTIES COMPILE_OPTIONS "-msse4.1")
  set_source_files_properties(${BLAKE3_DIR}/blake3_avx2.c PROPERTIES COMPILE_OPTIONS "-mavx2")
  set_source_files_properties(${BLAKE3_DIR}/blake3_avx512.c PROPERTIES COMPILE_OPTIONS "-mavx512f;-mavx512vl")
endif()
add_library(blake3 STATIC ${BLAKE3_SOURCES})
target_include_directories(blake3 SYSTEM PUBLIC ${BLAKE3_DIR})
# Someone else's code: built as it comes, without our warnings.
target_compile_options(blake3 PRIVATE -w)
