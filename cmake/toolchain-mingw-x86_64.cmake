# Windows x86-64 (corvixmath.dll for 64-bit hosts), built with MinGW-w64 and tested under Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CORVIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CORVIX_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
