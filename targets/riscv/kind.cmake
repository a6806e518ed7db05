# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# RISC-V boards (QEMU's virt) with picolibc, semihosted in qemu-system-riscv*.
include(${TYPESIZES_KINDS}/semihost/bare-metal.cmake)
set(compiler ${triplet}-gcc)
set(package gcc-riscv64-unknown-elf picolibc-riscv64-unknown-elf)
set(runner qemu-system-riscv${class})
set(runner_package qemu-system-misc)
set(mabi32 ilp32)
set(mabi64 lp64)
# The virt board's flash and RAM.
set(flags -march=rv${class}imac -mabi=${mabi${class}} -mcmodel=medany --specs=picolibc.specs
  --crt0=semihost --oslib=semihost
  -Xlinker --defsym=__flash=0x80000000 -Xlinker --defsym=__flash_size=0x100000
  -Xlinker --defsym=__ram=0x80100000 -Xlinker --defsym=__ram_size=0x100000)
list(APPEND folders cxx)
