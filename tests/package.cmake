# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The package checks: the Debian and the RPM package of this build, or the zip
# of a Windows build, held to the target's row of cmake/targets.txt. A build
# that must not be packaged (sanitizers, or a target without a row), or not in
# that format (Windows as a Debian package, a target without an RPM
# architecture), is checked to be refused.
# How the packaged program is run here, or why it is not.
set(package_run ${TYPESIZES_RUN})
if(TYPESIZES_NOT_RUN)
  set(package_run --not-run "${TYPESIZES_NOT_RUN}")
endif()
set(variant ${row_variant})
if(NOT variant)
  set(variant -)
endif()
set(package_tests package.deb)
if(TYPESIZES_SANITIZE)
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> DEB "sanitizer build")
elseif(NOT row_found)
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> DEB "no row in cmake/targets.txt")
elseif(WIN32)
  typesizes_test(package.zip package CHECKERS unzip
    COMMAND ${sh}/package.sh zip ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
    ${variant} win${row_class} ${package_run})
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> DEB "Windows build")
  list(APPEND package_tests package.zip)
  list(APPEND run_tests package.zip)
else()
  set(package_tests "")
  foreach(format deb rpm)
    string(TOUPPER ${format} generator)
    if(row_${format} STREQUAL "-")
      typesizes_test(package.${format} package
        COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> ${generator} "no ${generator} architecture")
    elseif(format STREQUAL deb)
      typesizes_test(package.deb package CHECKERS dpkg-deb readelf lintian
        COMMAND ${sh}/package.sh deb ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
        ${variant} ${row_deb} ${package_run})
    else()
      typesizes_test(package.rpm package CHECKERS rpmbuild rpm2cpio cpio rpmlint
        COMMAND ${sh}/package.sh rpm ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
        ${variant} ${row_rpm} ${package_run})
    endif()
    list(APPEND package_tests package.${format})
  endforeach()
endif()
# Both run cpack, which first brings the build folder up to date: one at a time.
set_tests_properties(${package_tests} PROPERTIES RESOURCE_LOCK cpack)
