// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT
//
// Prints its arguments, one a line: what typesizes-run passes on, which
// report.run checks by putting this program in typesizes' place.
#include <cstdio>

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        std::printf("%s\n", argv[i]); // NOLINT(*-pro-bounds-pointer-arithmetic): C's argv
    }
}
