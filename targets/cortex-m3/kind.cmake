# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The MPS2 board's Cortex-M3 with newlib, semihosted in qemu-system-arm.
set(compiler ${triplet}-g++)
set(package gcc-arm-none-eabi libstdc++-arm-none-eabi-newlib libnewlib-arm-none-eabi)
set(runner_package qemu-system-arm)
set(libc -)
# Reset vectors at 0, the stack at the top of the board's SRAM.
set(flags -mcpu=cortex-m3 -mthumb --specs=rdimon.specs -Xlinker --section-start=.vectors=0
  -Xlinker --defsym=typesizes_stack_top=0x20400000)
list(APPEND folders semihost)
