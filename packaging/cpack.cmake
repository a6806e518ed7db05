# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE), once for each
# generator, with the CPACK_* variables cmake/packaging.cmake set.

# Without the target's row in cmake/targets.txt there is no package architecture
# to give, and cpack's default (this machine's) would label the binary wrongly.
if(NOT CPACK_TYPESIZES_PACKAGEABLE)
  message(FATAL_ERROR "This build's target has no row in cmake/targets.txt, so its package "
    "architecture is unknown: add a row for it (see the file's header) to package it.")
endif()
# A sanitizer build needs the sanitizers' runtime libraries: no package of it.
if(CPACK_TYPESIZES_SANITIZE)
  message(FATAL_ERROR "This is a sanitizer build (TYPESIZES_SANITIZE=ON), made for testing: "
    "it is not packaged. Package a build configured without it.")
endif()

# Debian and RPM packages, their formats and paths, are Linux's.
if(NOT CPACK_TYPESIZES_SYSTEM STREQUAL "Linux" AND CPACK_GENERATOR MATCHES "^(DEB|RPM)$")
  message(FATAL_ERROR "This is a ${CPACK_TYPESIZES_SYSTEM} build: it is packed as a zip (cpack -G ZIP), "
    "not as a ${CPACK_GENERATOR} package.")
endif()
# A target may lack one format's architecture (x32 has no RPM distribution).
if((CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_ARCHITECTURE STREQUAL "-") OR
   (CPACK_GENERATOR STREQUAL "RPM" AND CPACK_RPM_PACKAGE_ARCHITECTURE STREQUAL "-"))
  message(FATAL_ERROR "This build's target has no ${CPACK_GENERATOR} architecture in cmake/targets.txt: "
    "no ${CPACK_GENERATOR} package can be made for it.")
endif()

# Timestamps for reproducible packages (cpack and rpmbuild read it from the
# environment): the caller's, else the last commit's of the project's files,
# which git gives for the project's checkout whoever owns it (root packing a
# user's: safe.directory), else NEWS.md's release date's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "")
  if(CPACK_TYPESIZES_GIT)
    file(REAL_PATH ${CPACK_TYPESIZES_SOURCE_DIR} source)
    execute_process(COMMAND ${CPACK_TYPESIZES_GIT} -c safe.directory=${source} -C ${source} log -1 --format=%ct -- .
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE error)
    if(error AND NOT error MATCHES "not a git repository")
      message(WARNING "git cannot read the checkout, so the packages get NEWS.md's release date: ${error}")
    endif()
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch ${CPACK_TYPESIZES_RELEASE_EPOCH})
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
# A zip's member times are local times: the same everywhere only in one zone.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(ENV{TZ} UTC0)
endif()

# The binary as installed for packing is read for a static link and Debian's
# Depends field; the .deb is made again by dpkg-deb. Modes and times follow
# neither the umask nor the checkout (packaging/normalise.cmake, which deb.cmake
# runs for the .deb). Each format takes its own documents from the build (the
# "deb" or "rpm" install component) besides the program and its man page.
if(CPACK_GENERATOR STREQUAL "DEB")
  list(APPEND CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb.cmake)
else()
  list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/normalise.cmake)
endif()
if(CPACK_GENERATOR MATCHES "^(DEB|RPM)$")
  list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/depends.cmake)
  string(TOLOWER ${CPACK_GENERATOR} component)
  set(CPACK_INSTALL_CMAKE_PROJECTS
    ${CPACK_TYPESIZES_BUILD_DIR} typesizes Unspecified /
    ${CPACK_TYPESIZES_BUILD_DIR} typesizes ${component} /)
endif()
