# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The package checks: a Linux build's Debian and RPM packages, any other
# system's zip. Each test finds out from the build's facts and the table of
# targets what the package must be, or that cpack must refuse to make it.
set(formats deb rpm)
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(formats zip deb)
endif()
set(deb_tools dpkg-deb dpkg-architecture readelf lintian)
set(rpm_tools rpmbuild rpm2cpio cpio rpmlint readelf)
set(zip_tools unzip)
foreach(format IN LISTS formats)
  typesizes_test(package.${format} package CHECKERS ${${format}_tools} COMMAND ${sh}/package.sh ${format})
endforeach()
# Each runs cpack, which first brings the build folder up to date: one at a time.
list(TRANSFORM formats PREPEND package.)
set_tests_properties(${formats} PROPERTIES RESOURCE_LOCK cpack)
