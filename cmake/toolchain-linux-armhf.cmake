# 32-bit ARM Linux with hardware floating point (armhf): plain char is unsigned, long is 32
# bits as on 32-bit Windows, and doubleword loads need aligned addresses. Built with
# Debian's cross compiler and tested under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(CORVIX_CROSS_TRIPLE arm-linux-gnueabihf)
set(CORVIX_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
