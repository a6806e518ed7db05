# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# AVR: clang for the ATmega328P with avr-libc, run in simavr (docs/targets.md).
set(compiler clang++-14)
set(package clang-14 gcc-avr avr-libc)
set(runner_package libsimavr-dev)
set(libc -)
set(flags --target=avr -mmcu=atmega328p -Xclang -nostdsysteminc)
list(APPEND folders cxx)
