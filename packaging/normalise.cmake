# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Run by cpack on the files to pack, the folder itself included (before an RPM
# or a zip is made, by packaging/deb.cmake before the .deb), so that a package
# depends on neither the packer's umask nor when the files were checked out:
# - modes: directories and programs 0755, other files 0644, whatever the umask
#   let cpack and install() create them with; no set-group-ID a parent gave;
# - every path gets SOURCE_DATE_EPOCH as its time, as install(FILES) keeps a
#   source file's (LICENSE's is its checkout's), which rpmbuild keeps when older.
execute_process(COMMAND chmod -R a-s,u=rwX,go=rX ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not set the time of the files to pack to SOURCE_DATE_EPOCH ($ENV{SOURCE_DATE_EPOCH})")
endif()
