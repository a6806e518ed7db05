# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Run by cpack on the files it staged, before packing and for a .deb also after
# (CPACK_PRE_BUILD_SCRIPTS, CPACK_POST_BUILD_SCRIPTS; see docs/packaging.md).
set(dir ${CPACK_TEMPORARY_DIRECTORY})
set(binary ${dir}/usr/bin/typesizes)
if(CPACK_PACKAGE_FILES)
  # After: dpkg-deb makes the .deb again, cpack's control files in DEBIAN/.
  find_program(dpkg_deb dpkg-deb NO_CACHE)
  if(NOT dpkg_deb)
    message(FATAL_ERROR "dpkg-deb makes the .deb: install the Debian package dpkg")
  endif()
  file(GLOB files LIST_DIRECTORIES false ${dir}/*)
  file(COPY ${files} DESTINATION ${dir}/DEBIAN REGEX "/debian-binary$|[.]tar[.][^/]*$" EXCLUDE)
  file(REMOVE ${files})
elseif(CPACK_GENERATOR MATCHES "^(DEB|RPM)$")
  # Before: no static binary, and the .deb's Depends on the C library alone.
  if(NOT EXISTS ${binary})
    message(FATAL_ERROR "${binary} was not installed for packing")
  endif()
  execute_process(COMMAND ${CPACK_TYPESIZES_READELF} --program-headers --dynamic --dyn-syms --wide ${binary}
    OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
  # Brackets would keep CMake from splitting the list: readelf's go first.
  string(REGEX REPLACE "[][]" " " dynamic "${dynamic}")
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*: +[^ \n]+" needed "${dynamic}")
  list(TRANSFORM needed REPLACE ".* " "")
  string(REGEX MATCHALL "@GLIBC_[0-9]+\\.[0-9]+(\\.[0-9]+)?" versions "${dynamic}")
  if(status EQUAL 0 AND NOT dynamic MATCHES "\n +INTERP ")
    message(FATAL_ERROR "${binary} is statically linked: it is not packaged, as a package's program uses the "
      "system's C library, and gets its fixes. Package a build linked without -static.")
  elseif(CPACK_GENERATOR STREQUAL "DEB" AND (NOT status EQUAL 0 OR NOT needed MATCHES "^libc\\.so\\.[0-9.]+$"))
    message(FATAL_ERROR "${binary} needs '${needed}': the C library (libc.so.N) alone can be packed")
  elseif(CPACK_GENERATOR STREQUAL "DEB" AND NOT versions)
    message(FATAL_ERROR "${binary} imports no versioned glibc symbol: no libc dependency can be derived")
  elseif(CPACK_GENERATOR STREQUAL "DEB")
    list(TRANSFORM versions REPLACE "^@GLIBC_" "")
    list(SORT versions COMPARE NATURAL)
    list(POP_BACK versions highest)
    string(REPLACE .so. "" libc ${needed})
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${libc} (>= ${highest})")
    message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
  endif()
endif()
# Modes and times that follow neither the umask nor the checkout.
execute_process(COMMAND chmod -R a-s,u=rwX,go=rX ${dir} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${dir} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} + RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not set the time of the files to pack to SOURCE_DATE_EPOCH ($ENV{SOURCE_DATE_EPOCH})")
endif()
if(dpkg_deb)
  execute_process(COMMAND ${dpkg_deb} --root-owner-group -Zgzip --build ${dir} ${CPACK_PACKAGE_FILES}
    COMMAND_ERROR_IS_FATAL ANY)
endif()
