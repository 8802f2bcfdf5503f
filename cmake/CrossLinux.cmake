# Shared part of the Linux toolchain files: Debian's cross compilers with the target's
# libraries under /usr/<triple>, and the emulator through which CTest runs every test
# (GoogleTest's discovery and the tool's tests included).
#
# The including file sets CMAKE_SYSTEM_PROCESSOR, CORVIX_CROSS_TRIPLE (i686-linux-gnu,
# aarch64-linux-gnu, arm-linux-gnueabihf or s390x-linux-gnu) and CORVIX_QEMU (qemu-i386,
# qemu-aarch64, qemu-arm or qemu-s390x).
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${CORVIX_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${CORVIX_CROSS_TRIPLE}-g++)

# The target's headers and libraries only: the host's must never reach a target program.
set(CORVIX_CROSS_SYSROOT /usr/${CORVIX_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH ${CORVIX_CROSS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# qemu-user; -L makes the programs load the target's dynamic loader and libraries (libc,
# libstdc++) from the sysroot instead of the host's /lib.
if(NOT CORVIX_QEMU)
  message(FATAL_ERROR "the toolchain file names no qemu-user emulator (CORVIX_QEMU)")
endif()
find_program(CORVIX_QEMU_PROGRAM ${CORVIX_QEMU} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CORVIX_QEMU_PROGRAM};-L;${CORVIX_CROSS_SYSROOT}")
