# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Run by cpack after it made the .deb (CPACK_POST_BUILD_SCRIPTS), before it
# copies it out: the .deb is made again by Debian's own dpkg-deb from the files
# cpack staged, as cpack's writer gives the package's archive members the
# packer's umask. The files cpack wrote beside the tree (control, md5sums, any
# maintainer scripts) go into DEBIAN/, its archives away; every file is root's,
# as in any Debian package.
set(dir ${CPACK_TEMPORARY_DIRECTORY})
find_program(dpkg_deb dpkg-deb NO_CACHE)
if(NOT dpkg_deb)
  message(FATAL_ERROR "dpkg-deb makes the .deb: install the Debian package dpkg")
endif()
file(MAKE_DIRECTORY ${dir}/DEBIAN)
file(GLOB control LIST_DIRECTORIES false ${dir}/*)
foreach(file IN LISTS control)
  get_filename_component(name ${file} NAME)
  file(RENAME ${file} ${dir}/DEBIAN/${name})
endforeach()
file(GLOB archives ${dir}/DEBIAN/debian-binary ${dir}/DEBIAN/*.tar.*)
file(REMOVE ${archives})
include(${CMAKE_CURRENT_LIST_DIR}/normalise.cmake)
execute_process(COMMAND ${dpkg_deb} --root-owner-group -Zgzip --build ${dir} ${CPACK_PACKAGE_FILES}
  COMMAND_ERROR_IS_FATAL ANY)
