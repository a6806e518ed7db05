// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// picolibc's stdout by semihosting's SYS_WRITE (docs/targets.md).
#include <stdio.h>
extern "C" { // picolibc's semihost.h declares no C linkage itself
#include <semihost.h>
}

namespace {
constexpr int open_write = 4; // semihosting open mode "w"

// Writes a character, opening ":tt" on first use; sets the error flag itself.
int put(char c, FILE *stream)
{
    static int fd = -1;
    if (fd < 0)
        fd = sys_semihost_open(":tt", open_write);
    if (fd >= 0 && sys_semihost_write(fd, &c, 1) == 0)
        return static_cast<unsigned char>(c);
    stream->flags |= __SERR;
    return EOF;
}

FILE out = FDEV_SETUP_STREAM(put, nullptr, nullptr, _FDEV_SETUP_WRITE);
} // namespace

FILE *const stdout = &out;
