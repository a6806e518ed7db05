# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The man page, with the version and release date filled in, installed gzipped.
include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)
find_program(GZIP_EXECUTABLE gzip REQUIRED)

# typesizes_gzip(FILE TARGET): FILE.gz, made by TARGET in every build, as Debian
# ships documents (-n: no name or time stamp in the gzip header).
function(typesizes_gzip file target)
  add_custom_command(OUTPUT ${file}.gz COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${file} > ${file}.gz
    DEPENDS ${file} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${file}.gz)
endfunction()

set(TYPESIZES_MANPAGE ${PROJECT_BINARY_DIR}/typesizes.1)
configure_file(${PROJECT_SOURCE_DIR}/docs/typesizes.1.in ${TYPESIZES_MANPAGE} @ONLY)
typesizes_gzip(${TYPESIZES_MANPAGE} typesizes-manpage)
install(FILES ${TYPESIZES_MANPAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
