# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Run by cpack before making a Debian or RPM package (CPACK_PRE_BUILD_SCRIPTS).
# A statically linked binary (no program interpreter) is refused: a package's
# program uses the system's C library, which gets the system's fixes. For the
# .deb it sets Depends to libc<N> (>= the highest GLIBC_x.y the binary imports)
# for its libc.so.<N>, as dpkg-shlibdeps would if it could read a foreign
# architecture's binary (see docs/packaging.md). A binary that needs any other
# library is refused: the package would not depend on it, and would install a
# program that may not start.
set(binary ${CPACK_TEMPORARY_DIRECTORY}/usr/bin/typesizes)
if(NOT EXISTS ${binary})
  message(FATAL_ERROR "${binary} was not installed for packing")
endif()
execute_process(COMMAND ${CPACK_TYPESIZES_READELF} --program-headers --dynamic --dyn-syms --wide ${binary}
  OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(status EQUAL 0 AND NOT dynamic MATCHES "\n +INTERP ")
  message(FATAL_ERROR "${binary} is statically linked: it is not packaged, as a package's program uses the "
    "system's C library, and gets its fixes. Package a build linked without -static.")
elseif(CPACK_GENERATOR STREQUAL "RPM")
  return()
endif()
# Brackets would keep CMake from splitting the list: readelf's go first.
string(REGEX REPLACE "[][]" " " dynamic "${dynamic}")
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*: +[^ \n]+" needed "${dynamic}")
list(TRANSFORM needed REPLACE ".* " "")
if(NOT status EQUAL 0 OR NOT needed MATCHES "^libc\\.so\\.([0-9.]+)$")
  message(FATAL_ERROR "${binary} needs '${needed}': the C library (libc.so.N) alone can be packed")
endif()
set(libc_package libc${CMAKE_MATCH_1})
string(REGEX MATCHALL "@GLIBC_[0-9]+\\.[0-9]+(\\.[0-9]+)?" versions "${dynamic}")
if(NOT versions)
  message(FATAL_ERROR "${binary} imports no versioned glibc symbol: no libc dependency can be derived")
endif()
list(TRANSFORM versions REPLACE "^@GLIBC_" "")
list(SORT versions COMPARE NATURAL ORDER DESCENDING)
list(GET versions 0 highest)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${libc_package} (>= ${highest})")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
