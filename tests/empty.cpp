// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT
//
// An empty program, built with typesizes' own options: what the toolchain's
// start-up files alone bring (libraries, initialisers, imports), against which
// binary.linkage judges typesizes.
int main() { return 0; }
