# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Beside the ATmega328P's firmware, typesizes.elf, the Intel hex image avrdude
# flashes, which the zip holds too.
find_program(TYPESIZES_AVR_OBJCOPY avr-objcopy REQUIRED)
add_custom_command(TARGET typesizes POST_BUILD
  COMMAND ${TYPESIZES_AVR_OBJCOPY} -O ihex -R .eeprom $<TARGET_FILE:typesizes> $<TARGET_FILE_DIR:typesizes>/typesizes.hex
  VERBATIM)
# Stripped by binutils' avr-strip, which keeps avr-libc's note naming the MCU
# (read by the runner and by avr-size); llvm-strip drops it.
find_program(TYPESIZES_AVR_STRIP avr-strip REQUIRED)
set(CMAKE_STRIP ${TYPESIZES_AVR_STRIP})
if(TYPESIZES_INSTALL)
  install(FILES $<TARGET_FILE_DIR:typesizes>/typesizes.hex DESTINATION .)
endif()
