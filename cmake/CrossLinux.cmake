# Shared part of the Linux toolchain files: Debian's cross compilers with the target's
# libraries under /usr/<triple>, and the emulator through which CTest runs every test
# (GoogleTest's discovery and the tool's tests included).
#
# The including file sets CMAKE_SYSTEM_PROCESSOR, CORVIX_CROSS_TRIPLE (i686-linux-gnu,
# aarch64-linux-gnu, arm-linux-gnueabihf or s390x-linux-gnu) and, for a target the host cannot
# run, CORVIX_QEMU (qemu-aarch64, qemu-arm or qemu-s390x).
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

if(CORVIX_QEMU)
  # qemu-user; -L makes the programs load the target's dynamic loader and libraries (libc,
  # libstdc++) from the sysroot instead of the host's /lib.
  find_program(CORVIX_QEMU_PROGRAM ${CORVIX_QEMU} REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CORVIX_QEMU_PROGRAM};-L;${CORVIX_CROSS_SYSROOT}")
else()
  # The host runs the target's instructions itself; the sysroot's own dynamic loader starts
  # each program with the sysroot's libraries, which the host need not have installed.
  file(GLOB CORVIX_CROSS_LOADER ${CORVIX_CROSS_SYSROOT}/lib/ld-linux*.so.*)
  if(NOT CORVIX_CROSS_LOADER)
    message(FATAL_ERROR "no dynamic loader in ${CORVIX_CROSS_SYSROOT}/lib: "
                        "install g++-${CORVIX_CROSS_TRIPLE} (scripts/install-deps --platforms)")
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR
      "${CORVIX_CROSS_LOADER};--library-path;${CORVIX_CROSS_SYSROOT}/lib")
endif()
