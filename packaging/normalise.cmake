# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Run by cpack before packing (CPACK_PRE_BUILD_SCRIPTS), on the files installed
# to pack, so that a package's contents depend on neither the packer's umask
# nor when the files were checked out:
# - every directory gets mode 0755, as those cpack itself creates (/usr,
#   /usr/share/licenses/<name>) follow the umask, unlike cmake install's
#   (CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS); 00755 clears set-group-ID too;
# - every path gets SOURCE_DATE_EPOCH as its time, as install(FILES) keeps a
#   source file's (LICENSE's is its checkout's), which rpmbuild keeps when older.
# (The .deb's own ar members take their modes from the umask cpack runs
# under: packages are packed under umask 022.)
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -mindepth 1 -type d -exec chmod 00755 {} +
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -mindepth 1 -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not set the time of the files to pack to SOURCE_DATE_EPOCH ($ENV{SOURCE_DATE_EPOCH})")
endif()
