# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Run by cpack before packing (CPACK_PRE_BUILD_SCRIPTS), on the files installed
# to pack, so that a package's contents depend on neither the packer's umask
# nor when the files were checked out:
# - cmake's install gives the directories it creates the modes of
#   CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, but not those cpack itself
#   creates (/usr, /usr/share/licenses/<name>), which follow the umask
#   (drwx------ under umask 077): every directory gets mode 0755;
# - install(FILES) keeps a source file's time (LICENSE's is its checkout's),
#   which rpmbuild keeps when older than SOURCE_DATE_EPOCH: every file and
#   directory gets SOURCE_DATE_EPOCH as its time.
# (The .deb's own ar members take their modes from the umask cpack runs
# under: packages are packed under umask 022.)
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
