# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# cpack's config file and pre- and post-build script (docs/packaging.md).
if(NOT DEFINED CPACK_TEMPORARY_DIRECTORY)
  string(REPLACE ";" " or " formats "${CPACK_TYPESIZES_FORMATS}")
  string(REPLACE DEB DEBIAN generator "${CPACK_GENERATOR}") # as in CPACK_DEBIAN_*
  if(NOT formats)
    message(FATAL_ERROR "This build's target has no row in cmake/targets.txt, so its "
      "package is unknown: add a row for it (see the file's header) to package it.")
  elseif(CPACK_TYPESIZES_SANITIZE)
    message(FATAL_ERROR "This is a sanitizer build (TYPESIZES_SANITIZE=ON), made for "
      "testing: it is not packaged. Package a build configured without it.")
  elseif(NOT ";${CPACK_TYPESIZES_FORMATS};" MATCHES ";${CPACK_GENERATOR};")
    message(FATAL_ERROR "This build is packed as ${formats} (cpack -G ${formats}), not ${CPACK_GENERATOR}.")
  elseif(CPACK_${generator}_PACKAGE_ARCHITECTURE STREQUAL "-")
    message(FATAL_ERROR "This build's target has no ${CPACK_GENERATOR} architecture in "
      "cmake/targets.txt: no ${CPACK_GENERATOR} package can be made for it.")
  endif()
  # SOURCE_DATE_EPOCH: the caller's, the last commit's or the release's; in UTC.
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    file(REAL_PATH ${CMAKE_CURRENT_LIST_DIR}/.. source)
    execute_process(COMMAND git -c safe.directory=${source} -C ${source} log -1 --format=%ct -- .
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE error)
    if(error AND NOT error MATCHES "not a git repository")
      message(WARNING "git cannot read the checkout, so the packages get NEWS.md's release date: ${error}")
    endif()
    list(APPEND epoch ${CPACK_TYPESIZES_RELEASE_EPOCH})
    list(GET epoch 0 epoch)
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  endif()
  set(ENV{TZ} UTC0)
  list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_FILE})
  if(CPACK_GENERATOR STREQUAL "DEB")
    list(APPEND CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_FILE})
  endif()
  # Each format's own documents too: the install component named after it.
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_INSTALL_CMAKE_PROJECTS})
  list(TRANSFORM CPACK_INSTALL_CMAKE_PROJECTS REPLACE "^ALL$" ${CPACK_GENERATOR} AT 6)
  return()
endif()

set(dir ${CPACK_TEMPORARY_DIRECTORY})
set(binary ${dir}/usr/bin/typesizes)
if(CPACK_PACKAGE_FILES)
  # After cpack made the .deb, dpkg-deb makes it again, cpack's control files in DEBIAN/.
  find_program(dpkg_deb dpkg-deb NO_CACHE REQUIRED)
  file(GLOB files LIST_DIRECTORIES false ${dir}/*)
  file(COPY ${files} DESTINATION ${dir}/DEBIAN REGEX "/debian-binary$|[.]tar[.][^/]*$" EXCLUDE)
  file(REMOVE ${files})
elseif(CPACK_GENERATOR MATCHES "^(DEB|RPM)$")
  # Before: no static binary, and for a .deb one that needs the C library alone, its Depends.
  execute_process(COMMAND readelf --program-headers --dynamic --dyn-syms --wide ${binary}
    OUTPUT_VARIABLE dynamic COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "Shared library: [^\n]*" needed "${dynamic}")
  list(TRANSFORM needed REPLACE "^.*\\[|\\]$" "")
  string(REGEX MATCHALL "@GLIBC_[0-9]+\\.[0-9]+(\\.[0-9]+)?" versions "${dynamic}")
  list(SORT versions COMPARE NATURAL)
  list(PREPEND versions -)
  list(POP_BACK versions highest) # "-" without a versioned glibc symbol
  if(NOT dynamic MATCHES "\n +INTERP ")
    message(FATAL_ERROR "${binary} is statically linked: it is not packaged, as a package's "
      "program uses the system's C library, and gets its fixes. Package a build linked without -static.")
  elseif(NOT "${needed}${highest}" MATCHES "^libc\\.so\\.[0-9.]+@GLIBC_")
    message(FATAL_ERROR "${binary} needs '${needed}', of it '${highest}': a package needs the C "
      "library (libc.so.N) alone, and a versioned glibc symbol from it, for its dependency")
  endif()
  # libc.so.6 and @GLIBC_2.34 make libc6 (>= 2.34).
  string(REGEX REPLACE "[.]so[.](.*)@GLIBC_(.*)" "\\1 (>= \\2)" CPACK_DEBIAN_PACKAGE_DEPENDS "${needed}${highest}")
  # The man page and changelog gzipped as Debian ships documents: no name or time.
  file(GLOB_RECURSE documents ${dir}/*.1 ${dir}/*/changelog)
  execute_process(COMMAND gzip -9n ${documents} COMMAND_ERROR_IS_FATAL ANY)
endif()
# Modes and times that follow neither the umask nor the checkout.
execute_process(COMMAND chmod -R a-s,u=rwX,go=rX ${dir} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${dir} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
  COMMAND_ERROR_IS_FATAL ANY)
if(dpkg_deb)
  execute_process(COMMAND ${dpkg_deb} --root-owner-group -Zgzip --build ${dir} ${CPACK_PACKAGE_FILES}
    COMMAND_ERROR_IS_FATAL ANY)
endif()
