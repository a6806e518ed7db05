# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# AVR: clang for the ATmega328P with avr-libc, run in simavr (docs/targets.md).
set(system Generic)
set(needs -)
set(compiler clang++-14)
set(package clang-14 gcc-avr avr-libc)
set(runner simavr) # the library targets/avr/run.c is built with
set(runner_package libsimavr-dev)
set(bare "")
set(flags --target=avr -mmcu=atmega328p -Xclang -nostdsysteminc)
list(APPEND folders cxx)
set(no_args "an AVR's main is given no arguments")
set(no_env "bare metal has no environment")
set(outputs typesizes.hex) # the image boards are flashed with
set(lint_platform avr8)
