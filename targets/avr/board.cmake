# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The Intel hex image avrdude flashes, beside typesizes.elf.
find_program(TYPESIZES_AVR_OBJCOPY avr-objcopy REQUIRED)
add_custom_command(TARGET typesizes POST_BUILD
  COMMAND ${TYPESIZES_AVR_OBJCOPY} -O ihex -R .eeprom $<TARGET_FILE:typesizes>
    $<TARGET_FILE_DIR:typesizes>/typesizes.hex
  VERBATIM)
# avr-strip keeps avr-libc's note naming the MCU; llvm-strip drops it.
find_program(TYPESIZES_AVR_STRIP avr-strip REQUIRED)
set(CMAKE_STRIP ${TYPESIZES_AVR_STRIP})
