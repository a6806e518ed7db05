# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Installs the program and sets up CPack for the row's formats (docs/packaging.md).
block(PROPAGATE TYPESIZES_MANPAGE)
set(docs ${PROJECT_BINARY_DIR}/package-docs)
set(package ${row_package_name})
# LICENSE's SPDX id, and Debian's machine-readable copyright file.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/docs/description.txt)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE text)
if(NOT text MATCHES "^([A-Za-z0-9.-]+) License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE does not start '<id> License', a blank line, 'Copyright (c) <holder>'")
endif()
set(license ${CMAKE_MATCH_1})
set(holder ${CMAKE_MATCH_2})
# The license as a paragraph: lines indented, an empty one written " .".
string(REPLACE "\n\n" "\n.\n" body "${CMAKE_MATCH_3}")
string(REPLACE "\n" "\n " body "${body}")
configure_file(${PROJECT_SOURCE_DIR}/docs/copyright.in ${docs}/copyright @ONLY)
set(TYPESIZES_MANPAGE ${PROJECT_BINARY_DIR}/typesizes.1)
configure_file(${PROJECT_SOURCE_DIR}/docs/typesizes.1.in ${TYPESIZES_MANPAGE} @ONLY)
set(eol LF ${row_eol}) # the row's, or LF
list(GET eol -1 eol)
configure_file(${PROJECT_SOURCE_DIR}/docs/README.txt.in ${docs}/README.txt NEWLINE_STYLE ${eol} @ONLY)
file(CONFIGURE OUTPUT ${docs}/changelog CONTENT "@TYPESIZES_RELEASE_DEBIAN@" @ONLY)
file(CONFIGURE OUTPUT ${docs}/rpm-changelog CONTENT "@TYPESIZES_RELEASE_RPM@" @ONLY)

if(ZIP IN_LIST row_formats)
  install(TARGETS typesizes RUNTIME DESTINATION .)
  list(TRANSFORM row_outputs PREPEND $<TARGET_FILE_DIR:typesizes>/ OUTPUT_VARIABLE outputs)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${docs}/README.txt ${outputs} DESTINATION .)
else()
  # The system's folders; each format's own documents in components only cpack installs.
  install(TARGETS typesizes RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TYPESIZES_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${docs}/copyright ${docs}/changelog
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT DEB EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/${package} COMPONENT RPM EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${docs}/README.txt DESTINATION . COMPONENT TGZ EXCLUDE_FROM_ALL)
endif()
if(row_formats MATCHES "DEB|RPM" OR NOT row_formats)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else() # an archive, in a folder named for its target, with its checksum
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${row_preset})
  set(CPACK_PACKAGE_CHECKSUM SHA256)
endif()
set(CPACK_GENERATOR ${row_formats})
set(CPACK_PACKAGE_NAME ${package})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}) # not a parent project's
set(CPACK_PACKAGE_VENDOR "The typesizes authors")
set(CPACK_PACKAGE_CONTACT "${TYPESIZES_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# Read, not named in CPACK_PACKAGE_DESCRIPTION_FILE, which cpack escapes for XML.
file(READ ${PROJECT_SOURCE_DIR}/docs/description.txt CPACK_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack.cmake)
set(CPACK_TYPESIZES_FORMATS ${row_formats})
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
string(REGEX REPLACE "^." "${first}" CPACK_RPM_PACKAGE_SUMMARY "${PROJECT_DESCRIPTION}")
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
# A data model's two packages replace each other (docs/packaging.md).
set(CPACK_DEBIAN_PACKAGE_SOURCE ${PROJECT_NAME})
set(CPACK_DEBIAN_PACKAGE_CONFLICTS ${row_sibling})
set(CPACK_DEBIAN_PACKAGE_REPLACES ${row_sibling})
set(CPACK_RPM_PACKAGE_CONFLICTS ${row_sibling})
if(row_sibling STREQUAL PROJECT_NAME)
  set(CPACK_DEBIAN_PACKAGE_PROVIDES "${PROJECT_NAME} (= ${PROJECT_VERSION})")
  set(CPACK_RPM_PACKAGE_PROVIDES "${PROJECT_NAME} = ${PROJECT_VERSION}-1")
endif()
include(CPack)
endblock()
