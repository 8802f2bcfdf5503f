# Windows x86 (corvixmath.dll for 32-bit hosts, where `long` and `int` are 32 bits and
# `wchar_t` 16 bits, as for the earlier Windows releases), built with MinGW-w64 and tested
# under Wine.
set(CMAKE_SYSTEM_PROCESSOR X86)
set(CORVIX_MINGW_TRIPLE i686-w64-mingw32)
set(CORVIX_WINE_ARCH win32)
# SSE2 arithmetic instead of the x87 unit, whose 80-bit intermediates would give other doubles
# than the 64-bit builds.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
