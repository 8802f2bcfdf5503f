# 32-bit x86 Linux (i686), built with Debian's cross compiler. The host runs the programs
# natively, started by the target's dynamic loader from the cross sysroot.
#
# The cross compiler rather than the host's g++ -m32: Debian's gcc-multilib conflicts with
# every Linux cross compiler, so the 32-bit build and the ARM and IBM Z builds could not be
# installed together.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CORVIX_CROSS_TRIPLE i686-linux-gnu)
# SSE2 arithmetic instead of the x87 unit, whose 80-bit intermediates would give other doubles
# than the 64-bit builds.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
