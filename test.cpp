// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT
//
// typesizes: prints how many bytes the target this program was compiled for
// gives time_t, int and short, one "label=size" line each.
//
// The sizes are compile-time constants, so a build for another target reports
// that target's data model. The exit status is 0 only when the whole report
// reached standard output, and 1 when any of it could not be written.
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main()
{
    const int time_size = static_cast<int>(sizeof(std::time_t));
    const int int_size = static_cast<int>(sizeof(int));
    const int short_size = static_cast<int>(sizeof(short));

    // Every row is attempted even after a failed one; nothing is reported on
    // standard error, the status alone tells the caller.
    bool failed = std::printf("time_t=%d\n", time_size) < 0;
    failed = std::printf("int=%d\n", int_size) < 0 || failed;
    failed = std::printf("short=%d\n", short_size) < 0 || failed;

    // Most write errors (a closed descriptor, a full device) only show when the
    // buffer goes out, so flush here rather than leave it to exit, where the
    // error would be lost. An error inside a print call shows in its result.
    failed = std::fflush(stdout) != 0 || failed;
    // Some C libraries (Windows' msvcrt) count a failed write as done, and
    // fflush then returns 0; the stream's error indicator still records it.
    failed = std::ferror(stdout) != 0 || failed;

    return failed ? EXIT_FAILURE : EXIT_SUCCESS;
}
