# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Run by cpack twice for each package, so that its bytes depend on neither the
# packer's umask nor when the files were checked out.
# Before packing (CPACK_PRE_BUILD_SCRIPTS), on the files installed to pack:
# - cmake's install gives the directories it creates the modes of
#   CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, but not those cpack itself
#   creates (/usr, /usr/share/licenses/<name>), which follow the umask
#   (drwx------ under umask 077): every directory gets mode 0755;
# - install(FILES) keeps a source file's time (LICENSE's is its checkout's),
#   which rpmbuild keeps when older than SOURCE_DATE_EPOCH: every file and
#   directory gets SOURCE_DATE_EPOCH as its time.
# After packing a .deb, before it is copied out (CPACK_POST_BUILD_SCRIPTS,
# which sets CPACK_PACKAGE_FILES): cpack 3.25 writes each ar member's mode
# (debian-binary, control.tar.*, data.tar.*) from the file it packed, so from
# the umask: 100664 under umask 002, 100644 under 022. Every member is given
# mode 100644, as dpkg-deb writes it. Headers are read with file(READ) and the
# 8-byte mode fields overwritten in place with dd, as CMake cannot write binary
# files.
if(NOT DEFINED CPACK_PACKAGE_FILES)
  file(GLOB_RECURSE paths LIST_DIRECTORIES true ${CPACK_TEMPORARY_DIRECTORY}/*)
  foreach(path IN LISTS paths)
    if(IS_DIRECTORY ${path} AND NOT IS_SYMLINK ${path})
      file(CHMOD ${path} DIRECTORY_PERMISSIONS
        OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
  endforeach()
  if(paths)
    execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${paths} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "could not set the time of the files to pack to SOURCE_DATE_EPOCH ($ENV{SOURCE_DATE_EPOCH})")
    endif()
  endif()
  return()
endif()

set(mode "100644  ")
set(mode_file ${CPACK_TOPLEVEL_DIRECTORY}/ar-member-mode)
file(WRITE ${mode_file} "${mode}")
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE ${deb} size)
  file(READ ${deb} magic LIMIT 8)
  if(NOT magic STREQUAL "!<arch>\n")
    message(FATAL_ERROR "${deb} is not an ar archive")
  endif()
  # Each member: a 60-byte header (name 16, mtime 12, uid 6, gid 6, mode 8,
  # size 10, "`\n"), then its data, padded to an even offset.
  set(offset 8)
  while(offset LESS size)
    file(READ ${deb} header OFFSET ${offset} LIMIT 60)
    string(LENGTH "${header}" length)
    if(length EQUAL 60)
      string(SUBSTRING "${header}" 48 10 member_size)
      string(STRIP "${member_size}" member_size)
      string(SUBSTRING "${header}" 58 2 end)
    endif()
    if(NOT length EQUAL 60 OR NOT end STREQUAL "`\n" OR NOT member_size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${deb}: no ar member header at byte ${offset}")
    endif()
    string(SUBSTRING "${header}" 40 8 member_mode)
    if(NOT member_mode STREQUAL mode)
      math(EXPR at "${offset} + 40")
      execute_process(COMMAND dd of=${deb} bs=1 seek=${at} count=8 conv=notrunc status=none
        INPUT_FILE ${mode_file} RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "${deb}: could not set the mode of the member at byte ${offset}")
      endif()
    endif()
    math(EXPR offset "${offset} + 60 + ${member_size} + (${member_size} % 2)")
  endwhile()
endforeach()
