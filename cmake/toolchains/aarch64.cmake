# 64-bit arm (aarch64, LP64).
set(triple aarch64-linux-gnu)
set(processor aarch64)
set(qemu qemu-aarch64)
set(abi aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
