# 32-bit arm with hardware floating point (armhf, ILP32).
set(triple arm-linux-gnueabihf)
set(processor armv7l)
set(qemu qemu-arm)
set(abi armhf)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
