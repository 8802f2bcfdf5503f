# 64-bit IBM Z Linux (s390x), the big-endian check: plain char is unsigned and the most
# significant byte of a word comes first in memory. Built with Debian's cross compiler and
# tested under qemu-s390x.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CORVIX_CROSS_TRIPLE s390x-linux-gnu)
set(CORVIX_QEMU qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
