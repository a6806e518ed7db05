# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Read by cpack before each generator packs (CPACK_PROJECT_CONFIG_FILE), with
# cmake/packaging.cmake's settings: refuses what is not packaged (the reasons
# are docs/packaging.md's), dates the files, and runs packaging/stage.cmake.
if(NOT CPACK_TYPESIZES_PACKAGEABLE)
  message(FATAL_ERROR "This build's target has no row in cmake/targets.txt, so its package "
    "architecture is unknown: add a row for it (see the file's header) to package it.")
elseif(CPACK_TYPESIZES_SANITIZE)
  message(FATAL_ERROR "This is a sanitizer build (TYPESIZES_SANITIZE=ON), made for testing: "
    "it is not packaged. Package a build configured without it.")
elseif(NOT CPACK_TYPESIZES_SYSTEM STREQUAL "Linux" AND CPACK_GENERATOR MATCHES "^(DEB|RPM)$")
  message(FATAL_ERROR "This is a ${CPACK_TYPESIZES_SYSTEM} build: it is packed as a zip (cpack -G ZIP), "
    "not as a ${CPACK_GENERATOR} package.")
elseif((CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_ARCHITECTURE STREQUAL "-") OR
    (CPACK_GENERATOR STREQUAL "RPM" AND CPACK_RPM_PACKAGE_ARCHITECTURE STREQUAL "-"))
  message(FATAL_ERROR "This build's target has no ${CPACK_GENERATOR} architecture in cmake/targets.txt: "
    "no ${CPACK_GENERATOR} package can be made for it.")
endif()

# SOURCE_DATE_EPOCH for cpack and rpmbuild: the caller's, else the last commit's
# of the project's files (git trusting the checkout whoever owns it), else the
# release date's; in UTC, as a zip's member times are local times.
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
set(ENV{TZ} UTC0)

list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/stage.cmake)
if(CPACK_GENERATOR MATCHES "^(DEB|RPM)$")
  # Each format's own documents (its install component) besides the common files.
  string(TOLOWER ${CPACK_GENERATOR} component)
  set(CPACK_INSTALL_CMAKE_PROJECTS
    ${CPACK_TYPESIZES_BUILD_DIR} typesizes Unspecified /
    ${CPACK_TYPESIZES_BUILD_DIR} typesizes ${component} /)
endif()
if(CPACK_GENERATOR STREQUAL "DEB")
  list(APPEND CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/stage.cmake)
endif()
