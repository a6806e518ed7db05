// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// typesizes: the bytes the target it was compiled for gives time_t, int and
// short; exit status 0 only when the whole report reached standard output.
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main()
{
    const int time_size = static_cast<int>(sizeof(std::time_t));
    const int int_size = static_cast<int>(sizeof(int));
    const int short_size = static_cast<int>(sizeof(short));

    std::printf("time_t=%d\n", time_size);
    std::printf("int=%d\n", int_size);
    std::printf("short=%d\n", short_size);

    // A failed write shows when the buffer goes out, here rather than at exit,
    // and in the stream's error indicator, all msvcrt tells (docs/tests.md).
    const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
