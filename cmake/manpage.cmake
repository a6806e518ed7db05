# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The man page, with the version and release date filled in, installed gzipped
# as Debian ships man pages (-n: no name or time stamp in the gzip header).
include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)
set(TYPESIZES_MANPAGE ${PROJECT_BINARY_DIR}/typesizes.1)
configure_file(${PROJECT_SOURCE_DIR}/docs/typesizes.1.in ${TYPESIZES_MANPAGE} @ONLY)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_command(OUTPUT ${TYPESIZES_MANPAGE}.gz
  COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${TYPESIZES_MANPAGE} > ${TYPESIZES_MANPAGE}.gz
  DEPENDS ${TYPESIZES_MANPAGE}
  VERBATIM)
add_custom_target(typesizes-manpage ALL DEPENDS ${TYPESIZES_MANPAGE}.gz)
install(FILES ${TYPESIZES_MANPAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
