# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Run by cpack after installing the files to pack, before making the Debian
# package (CPACK_PRE_BUILD_SCRIPTS): sets Depends to the libc version that
# provides every symbol version the binary imports, the highest GLIBC_x.y
# among its dynamic symbols, as dpkg-shlibdeps would (which cannot read a
# foreign architecture's binary without that architecture's libc installed).
# The package is named after the C library's soname as Debian names library
# packages: libc.so.6 is in libc6, alpha's libc.so.6.1 in libc6.1. A binary
# that needs any other library is refused: the package would not depend on
# it, and would install a program that may not start.
set(binary ${CPACK_TEMPORARY_DIRECTORY}/usr/bin/typesizes)
if(NOT EXISTS ${binary})
  message(FATAL_ERROR "${binary} was not installed for packing")
endif()
execute_process(COMMAND ${CPACK_TYPESIZES_READELF} --dynamic --wide ${binary}
  OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
# Brackets would keep CMake from splitting the list: readelf's go first.
string(REGEX REPLACE "[][]" " " dynamic "${dynamic}")
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*: +[^ \n]+" needed "${dynamic}")
list(TRANSFORM needed REPLACE ".* " "")
if(NOT status EQUAL 0 OR NOT needed MATCHES "^libc\\.so\\.([0-9.]+)$")
  message(FATAL_ERROR "${binary} needs '${needed}': the C library (libc.so.N) alone can be packed")
endif()
set(libc_package libc${CMAKE_MATCH_1})
execute_process(COMMAND ${CPACK_TYPESIZES_READELF} --dyn-syms --wide ${binary}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CPACK_TYPESIZES_READELF} could not read ${binary}'s dynamic symbols")
endif()
string(REGEX MATCHALL "@GLIBC_[0-9]+\\.[0-9]+(\\.[0-9]+)?" versions "${symbols}")
set(highest "")
foreach(version IN LISTS versions)
  string(REPLACE "@GLIBC_" "" version ${version})
  if(highest STREQUAL "" OR version VERSION_GREATER highest)
    set(highest ${version})
  endif()
endforeach()
if(highest STREQUAL "")
  message(FATAL_ERROR "${binary} imports no versioned glibc symbol: no libc dependency can be derived")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${libc_package} (>= ${highest})")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
