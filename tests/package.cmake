# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The package checks: the Debian and the RPM package of this build, held to
# the target's row of cmake/targets.txt. A build that must not be packaged
# (sanitizers, or a target without a row) is checked to be refused.
if(TYPESIZES_SANITIZE)
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> "sanitizer build")
  set(package_tests package.deb)
elseif(NOT row_found)
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> "no row in cmake/targets.txt")
  set(package_tests package.deb)
else()
  set(variant ${row_variant})
  if(NOT variant)
    set(variant -)
  endif()
  typesizes_test(package.deb package CHECKERS dpkg-deb readelf lintian
    COMMAND ${sh}/package.sh deb ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
    ${variant} ${row_deb} ${TYPESIZES_RUN})
  typesizes_test(package.rpm package CHECKERS rpmbuild rpm2cpio cpio rpmlint
    COMMAND ${sh}/package.sh rpm ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
    ${variant} ${row_rpm} ${TYPESIZES_RUN})
  set(package_tests package.deb package.rpm)
endif()
# Both run cpack, which first brings the build folder up to date: one at a time.
set_tests_properties(${package_tests} PROPERTIES RESOURCE_LOCK cpack)
