// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// typesizes: prints how many bytes the target it was compiled for gives time_t,
// int and short, one "label=size" line each: compile-time constants, so a build
// for another target reports that target's data model. The exit status is 0
// only when the whole report reached standard output, 1 when any of it did not.
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

    // A failed write (a closed descriptor, a full device) mostly shows only
    // when the buffer goes out, so the report is flushed here rather than at
    // exit, where the error would be lost. Any failed write, in a print call
    // or in the flush, leaves the stream's error indicator set; some C
    // libraries (Windows' msvcrt) report nothing else.
    const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
