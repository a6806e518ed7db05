// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// The reset vectors at address 0: the stack's top and newlib's start-up.
extern "C" void _start();
extern "C" void typesizes_stack_top(); // an address, not a function

[[gnu::section(".vectors"), gnu::used]] void (*const vectors[])() = {typesizes_stack_top, _start};
