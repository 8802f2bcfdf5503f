# 32-bit x86 Linux (i686), built with Debian's cross compiler and tested under qemu-i386, like
# the ARM and IBM Z targets: some x86-64 kernels cannot start 32-bit programs at all, so the
# tests take one path whatever the kernel.
#
# The cross compiler rather than the host's g++ -m32: Debian's gcc-multilib conflicts with
# every Linux cross compiler, so the 32-bit build and the ARM and IBM Z builds could not be
# installed together.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CORVIX_CROSS_TRIPLE i686-linux-gnu)
set(CORVIX_QEMU qemu-i386)
# qemu-i386 (Debian's 7.2) spins forever when a dynamically linked i386 program starts a
# thread, and when a forked child faults; statically linked programs do both. So here the
# library is static and every program is linked statically, the test programs included.
set(BUILD_SHARED_LIBS OFF CACHE BOOL "corvixmath as a static library, for static programs")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# SSE2 arithmetic instead of the x87 unit, whose 80-bit intermediates would give other doubles
# than the 64-bit builds.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
