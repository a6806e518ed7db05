# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The MPS2 board's Cortex-M3 with newlib, semihosted in qemu-system-arm.
include(${TYPESIZES_KINDS}/semihost/bare-metal.cmake)
set(package gcc-arm-none-eabi libstdc++-arm-none-eabi-newlib libnewlib-arm-none-eabi)
set(runner qemu-system-arm)
set(runner_package qemu-system-arm)
# Reset vectors at 0, the stack at the top of the board's SRAM.
set(flags -mcpu=cortex-m3 -mthumb --specs=rdimon.specs -Xlinker --section-start=.vectors=0
  -Xlinker --defsym=typesizes_stack_top=0x20400000)
