# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Debian and RPM packages of a Linux build: `cd build && cpack -G DEB` (or
# RPM); for any other system, a zip: `cpack -G ZIP`. What is known when
# configuring is set here, the rest when packing (packaging/cpack.cmake).
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
include(${packaging_dir}/documents.cmake)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/NEWS.md ${PROJECT_SOURCE_DIR}/LICENSE ${packaging_dir}/description.txt)

# 64-bit time_t on a 32-bit target is another program under the same path, so
# another package, typesizes-time64, not an upgrade (see docs/packaging.md).
string(JOIN - package ${PROJECT_NAME} ${row_variant})
set(maintainer "typesizes maintainers <typesizes@example.invalid>")
typesizes_license(${PROJECT_SOURCE_DIR}/LICENSE license holder license_text)

set(docs ${PROJECT_BINARY_DIR}/package-docs)
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # Beside the program, the license and a usage note with this build's sizes.
  set(newlines UNIX)
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(newlines CRLF)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/docs/README.txt.in ${docs}/README.txt NEWLINE_STYLE ${newlines} @ONLY)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${docs}/README.txt DESTINATION .)
  # typesizes-<version>-<preset>.zip, the files in a folder of that name.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${row_preset})
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_GENERATOR DEB)
  # The documents each format expects, installed only into its own packages
  # (components outside the default install, which cmake --install leaves out).
  typesizes_copyright(${docs}/copyright ${PROJECT_NAME} ${license} "${holder}" "${license_text}")
  typesizes_changelogs(${PROJECT_SOURCE_DIR}/NEWS.md ${PROJECT_NAME} "${maintainer}"
    ${docs}/changelog ${docs}/rpm-changelog)
  typesizes_gzip(${docs}/changelog typesizes-package-docs)
  install(FILES ${docs}/copyright ${docs}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT deb EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/${package} COMPONENT rpm EXCLUDE_FROM_ALL)
endif()

# Reproducible packages, dated when packing (packaging/cpack.cmake).
find_package(Git QUIET)
typesizes_date(${TYPESIZES_RELEASE_DATE} release)

set(CPACK_PACKAGE_NAME ${package})
set(CPACK_PACKAGE_VENDOR "The typesizes authors")
set(CPACK_PACKAGE_CONTACT "${maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# Read, not named in CPACK_PACKAGE_DESCRIPTION_FILE, which cpack escapes for XML.
file(READ ${packaging_dir}/description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${packaging_dir}/cpack.cmake)
# Read by packaging/cpack.cmake and packaging/depends.cmake.
set(CPACK_TYPESIZES_PACKAGEABLE ${row_found})
set(CPACK_TYPESIZES_SYSTEM ${CMAKE_SYSTEM_NAME})
set(CPACK_TYPESIZES_SANITIZE ${TYPESIZES_SANITIZE})
set(CPACK_TYPESIZES_GIT "${GIT_EXECUTABLE}")
set(CPACK_TYPESIZES_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_TYPESIZES_RELEASE_EPOCH ${release_epoch})
set(CPACK_TYPESIZES_BUILD_DIR ${PROJECT_BINARY_DIR})
set(CPACK_TYPESIZES_READELF ${CMAKE_READELF})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${row_deb})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${row_rpm})
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_LICENSE ${license})
# RPM summaries start with a capital letter, Debian synopses need not.
string(SUBSTRING "${PROJECT_DESCRIPTION}" 0 1 first)
string(TOUPPER "${first}" first)
string(REGEX REPLACE "^.(.*)$" "${first}\\1" CPACK_RPM_PACKAGE_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RPM_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RPM_CHANGELOG_FILE ${docs}/rpm-changelog)
# Installed under /usr only, like any distribution package.
set(CPACK_PACKAGE_RELOCATABLE OFF)
set(CPACK_RPM_USER_FILELIST "%license /usr/${CMAKE_INSTALL_DATADIR}/licenses/${package}/LICENSE")
# Directories the system owns, not this package.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION licenses man man/man1)
list(TRANSFORM CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION PREPEND /usr/${CMAKE_INSTALL_DATADIR}/)
# Who made the package (rpm's Packager tag); for the same bytes on every
# machine, a fixed build host and SOURCE_DATE_EPOCH as build time and latest
# file time; rpmbuild's scripts and database in cpack's own folder (%_topdir,
# which cpack sets up with a tmp folder), not in /var/tmp and ~/.rpmdb.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${maintainer}
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
  set(CPACK_RPM_PACKAGE_PROVIDES "${PROJECT_NAME} = ${PROJECT_VERSION}-${CPACK_RPM_PACKAGE_RELEASE}")
endif()
include(CPack)
