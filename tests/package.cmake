# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The package checks: the Debian and the RPM package of this build, held to
# the target's row of cmake/targets.txt. A build that must not be packaged
# (sanitizers, or a target without a row) is checked to be refused.
if(TYPESIZES_SANITIZE)
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> DEB "sanitizer build")
  set(package_tests package.deb)
elseif(NOT row_found)
  typesizes_test(package.deb package COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> DEB "no row in cmake/targets.txt")
  set(package_tests package.deb)
else()
  set(variant ${row_variant})
  if(NOT variant)
    set(variant -)
  endif()
  # How the packaged program is run here, or why it is not.
  set(run ${TYPESIZES_RUN})
  if(TYPESIZES_NOT_RUN)
    set(run --not-run "${TYPESIZES_NOT_RUN}")
  endif()
  set(package_tests "")
  foreach(format deb rpm)
    string(TOUPPER ${format} generator)
    if(row_${format} STREQUAL "-")
      # A target without this format's architecture: cpack must say so
      # rather than label the package with this machine's.
      typesizes_test(package.${format} package
        COMMAND ${sh}/package.sh refuse ${PROJECT_BINARY_DIR} $<CONFIG> ${generator} "no ${generator} architecture")
    elseif(format STREQUAL deb)
      typesizes_test(package.deb package CHECKERS dpkg-deb readelf lintian
        COMMAND ${sh}/package.sh deb ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
        ${variant} ${row_deb} ${run})
    else()
      typesizes_test(package.rpm package CHECKERS rpmbuild rpm2cpio cpio rpmlint
        COMMAND ${sh}/package.sh rpm ${PROJECT_BINARY_DIR} $<CONFIG> $<TARGET_FILE:typesizes> ${PROJECT_VERSION}
        ${variant} ${row_rpm} ${run})
    endif()
    list(APPEND package_tests package.${format})
  endforeach()
endif()
# Both run cpack, which first brings the build folder up to date: one at a time.
set_tests_properties(${package_tests} PROPERTIES RESOURCE_LOCK cpack)
