# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Installs the program and sets up CPack (docs/packaging.md).
block(PROPAGATE TYPESIZES_MANPAGE)
set(docs ${PROJECT_BINARY_DIR}/package-docs)
# A -time64 preset's package is typesizes-time64 (docs/packaging.md).
string(JOIN - package ${PROJECT_NAME} ${row_variant})
# LICENSE's SPDX id, and Debian's machine-readable copyright file.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/docs/description.txt)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE text)
if(NOT text MATCHES "^([A-Za-z0-9.-]+) License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "${PROJECT_SOURCE_DIR}/LICENSE does not start with '<id> License', "
    "a blank line and 'Copyright (c) <holder>'")
endif()
set(license ${CMAKE_MATCH_1})
set(holder ${CMAKE_MATCH_2})
# The license as a paragraph: lines indented, an empty one written " .".
string(REPLACE "\n\n" "\n.\n" body "${CMAKE_MATCH_3}")
string(REPLACE "\n" "\n " body "${body}")
configure_file(${PROJECT_SOURCE_DIR}/docs/copyright.in ${docs}/copyright @ONLY)
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(newlines UNIX)
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(newlines CRLF)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/docs/README.txt.in ${docs}/README.txt NEWLINE_STYLE ${newlines} @ONLY)
  install(TARGETS typesizes RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${docs}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${row_preset})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(TYPESIZES_MANPAGE ${PROJECT_BINARY_DIR}/typesizes.1)
  configure_file(${PROJECT_SOURCE_DIR}/docs/typesizes.1.in ${TYPESIZES_MANPAGE} @ONLY)
  file(CONFIGURE OUTPUT ${docs}/changelog CONTENT "@TYPESIZES_RELEASE_DEBIAN@" @ONLY)
  file(CONFIGURE OUTPUT ${docs}/rpm-changelog CONTENT "@TYPESIZES_RELEASE_RPM@" @ONLY)
  foreach(file ${TYPESIZES_MANPAGE} ${docs}/changelog)
    execute_process(COMMAND gzip -9nc ${file} OUTPUT_FILE ${file}.gz COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  install(TARGETS typesizes RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TYPESIZES_MANPAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # Each format's own documents, in components that only cpack installs.
  install(FILES ${docs}/copyright ${docs}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT DEB EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/${package} COMPONENT RPM EXCLUDE_FROM_ALL)
endif()

set(CPACK_PACKAGE_NAME ${package})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}) # not a parent project's
set(CPACK_PACKAGE_VENDOR "The typesizes authors")
set(CPACK_PACKAGE_CONTACT "${TYPESIZES_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# Read, not named in CPACK_PACKAGE_DESCRIPTION_FILE, which cpack escapes for XML.
file(READ ${PROJECT_SOURCE_DIR}/docs/description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack.cmake)
set(CPACK_TYPESIZES_PACKAGEABLE ${row_found})
set(CPACK_TYPESIZES_SYSTEM ${CMAKE_SYSTEM_NAME})
set(CPACK_TYPESIZES_SANITIZE ${TYPESIZES_SANITIZE})
set(CPACK_TYPESIZES_RELEASE_EPOCH ${TYPESIZES_RELEASE_EPOCH})
set(CPACK_INSTALL_CMAKE_PROJECTS ${PROJECT_BINARY_DIR} ${PROJECT_NAME} ALL /)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${row_deb})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${row_rpm})
set(CPACK_RPM_PACKAGE_LICENSE ${license})
set(CPACK_RPM_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
# RPM summaries start with a capital letter, Debian synopses need not.
string(SUBSTRING "${PROJECT_DESCRIPTION}" 0 1 first)
string(TOUPPER "${first}" first)
string(REGEX REPLACE "^.(.*)$" "${first}\\1" CPACK_RPM_PACKAGE_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RPM_CHANGELOG_FILE ${docs}/rpm-changelog)
set(CPACK_PACKAGE_RELOCATABLE OFF)
set(CPACK_RPM_USER_FILELIST "%license /usr/${CMAKE_INSTALL_DATADIR}/licenses/${package}/LICENSE")
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/${CMAKE_INSTALL_DATADIR}/licenses
  /usr/${CMAKE_INSTALL_MANDIR} /usr/${CMAKE_INSTALL_MANDIR}/man1)
# The packager; a fixed host, times and rpmbuild's own folders (docs/packaging.md).
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${TYPESIZES_MAINTAINER}
%define _buildhost reproducible
%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1
%define _tmppath %{_topdir}/tmp
%define _dbpath %{_topdir}/rpmdb")
if(row_variant)
  set(CPACK_DEBIAN_PACKAGE_SOURCE ${PROJECT_NAME})
  set(CPACK_DEBIAN_PACKAGE_CONFLICTS ${PROJECT_NAME})
  set(CPACK_DEBIAN_PACKAGE_REPLACES ${PROJECT_NAME})
  set(CPACK_DEBIAN_PACKAGE_PROVIDES "${PROJECT_NAME} (= ${PROJECT_VERSION})")
  set(CPACK_RPM_PACKAGE_CONFLICTS ${PROJECT_NAME})
  set(CPACK_RPM_PACKAGE_PROVIDES "${PROJECT_NAME} = ${PROJECT_VERSION}-1")
endif()
include(CPack)
endblock()
