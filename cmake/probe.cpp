// SPDX-FileCopyrightText: 2026 The typesizes authors
// SPDX-License-Identifier: MIT

// Configure's test program: it prints "ran", the C library its headers name
// and the sizes, which configure also reads from the file, and exits 3, which
// no failed start gives.
#include <stdio.h> // NOLINT(modernize-deprecated-headers): a C library's own
#include <time.h>  // NOLINT(modernize-deprecated-headers)
#if defined __GLIBC__
constexpr const char *libc = "typesizes-libc=glibc";
#elif defined __linux__ && !defined __UCLIBC__ && !defined __BIONIC__
constexpr const char *libc = "typesizes-libc=musl"; // the one that names itself in no macro
#else
constexpr const char *libc = "typesizes-libc=-"; // told apart by its system
#endif
// The sizes as digits after "TS=", in the file as well: a C string.
// NOLINTBEGIN(*-avoid-c-arrays,*-array-to-pointer-decay)
constexpr char sizes[] = {
    'T', 'S', '=', '0' + sizeof(time_t), '0' + sizeof(int), '0' + sizeof(short), 0};

int main() { return printf("ran %s %s\n", libc, sizes) > 0 ? 3 : 4; }
// NOLINTEND(*-avoid-c-arrays,*-array-to-pointer-decay)
