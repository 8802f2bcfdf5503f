# 64-bit ARM Linux (aarch64): plain char is unsigned, fused multiply-add is in every core.
# Built with Debian's cross compiler and tested under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CORVIX_CROSS_TRIPLE aarch64-linux-gnu)
set(CORVIX_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
