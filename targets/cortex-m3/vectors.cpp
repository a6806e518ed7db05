// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// The Cortex-M3's reset vectors, placed at address 0 by the link: the initial
// stack pointer (the top of the MPS2 board's SRAM, an address the link
// defines as typesizes_stack_top) and newlib's own start-up. Static data: no
// code of the program's own runs before main.
extern "C" void _start();
extern "C" void typesizes_stack_top(); // an address, not a function

[[gnu::section(".vectors"), gnu::used]] void (*const vectors[])() = {typesizes_stack_top, _start};
