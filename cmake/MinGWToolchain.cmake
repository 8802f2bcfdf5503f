# Shared part of the MinGW-w64 toolchain files: Debian's cross compilers with the POSIX thread
# model (the win32 model has no std::mutex, which GoogleTest needs), programs linked without
# MinGW runtime DLLs, and Wine as the emulator through which CTest runs every test.
#
# The including file sets CORVIX_MINGW_TRIPLE (x86_64-w64-mingw32 or i686-w64-mingw32) and
# CORVIX_WINE_ARCH (win64 or win32).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${CORVIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CORVIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and libwinpthread go into each program and into the DLL: Wine finds no
# MinGW runtime DLLs, and a host gets a library without companions.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# The prefix lives in the build folder, unless CORVIX_WINE_PREFIX names one to share (a prefix
# costs more than a gigabyte and seconds to make); the wrapper makes it on first use.
if(NOT CORVIX_WINE_PREFIX)
  set(CORVIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-${CORVIX_WINE_ARCH})
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CORVIX_WINE_PREFIX};${CORVIX_WINE_ARCH}")
