# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Reads the project's tables (cmake/targets.txt, tests/checkers.txt) by column
# name, and derives from a target's row what every kind of build shares.

set(TYPESIZES_TARGETS_FILE ${CMAKE_CURRENT_LIST_DIR}/targets.txt)
get_filename_component(TYPESIZES_BOARDS_DIR ${CMAKE_CURRENT_LIST_DIR}/../targets ABSOLUTE)

# typesizes_read_table(FILE): sets columns (the header's names) and rows (each
# row's fields separated by single spaces) in the caller's scope; a row with a
# field too few or too many stops configure, naming the row.
macro(typesizes_read_table file)
  file(STRINGS ${file} rows REGEX "^[ \t]*[^# \t]")
  list(TRANSFORM rows STRIP)
  list(TRANSFORM rows REPLACE "[ \t]+" " ")
  list(POP_FRONT rows header)
  string(REPLACE " " ";" columns "${header}")
  list(LENGTH columns width)
  foreach(row IN LISTS rows)
    string(REPLACE " " ";" fields "${row}")
    list(LENGTH fields length)
    list(GET fields 0 name)
    if(NOT length EQUAL width)
      message(FATAL_ERROR "${file}: row '${name}' has ${length} fields for its ${width} columns (${header})")
    endif()
  endforeach()
endmacro()

# typesizes_read_row(ROW): sets field_<column> for each column of ROW.
macro(typesizes_read_row row)
  string(REPLACE " " ";" fields "${row}")
  foreach(column IN LISTS columns)
    list(POP_FRONT fields field_${column})
  endforeach()
endmacro()

# typesizes_find_target(PREFIX COLUMN VALUE [COLUMN VALUE]...): for the first
# row whose named columns hold the values, sets PREFIX_found and PREFIX_<column>
# for each column (comma-separated fields as lists), and what the row implies:
# PREFIX_time_flags, which force a 32-bit hosted target's time_t to the row's
# size; PREFIX_variant, time64 for the second data model of a 32-bit triplet;
# PREFIX_boards, the paths of its board folders.
function(typesizes_find_target prefix)
  typesizes_read_table(${TYPESIZES_TARGETS_FILE})
  set(time32 "")
  foreach(row IN LISTS rows)
    typesizes_read_row("${row}")
    if(field_time_t EQUAL 4)
      list(APPEND time32 ${field_triplet})
    endif()
  endforeach()
  set(${prefix}_found FALSE PARENT_SCOPE)
  foreach(row IN LISTS rows)
    typesizes_read_row("${row}")
    set(pairs ${ARGN})
    set(match TRUE)
    while(pairs)
      list(POP_FRONT pairs column value)
      if(NOT column IN_LIST columns)
        message(FATAL_ERROR "${TYPESIZES_TARGETS_FILE} has no column '${column}'")
      elseif(NOT field_${column} STREQUAL value)
        set(match FALSE)
      endif()
    endwhile()
    if(NOT match)
      continue()
    endif()
    foreach(column IN LISTS columns)
      string(REPLACE "," ";" value "${field_${column}}")
      set(${prefix}_${column} "${value}" PARENT_SCOPE)
    endforeach()
    # glibc and mingw-w64 each default a 32-bit target's time_t one way or the
    # other by release; both ways are forced so a row means one data model.
    set(flags "")
    if(NOT field_class EQUAL 32 OR NOT field_system MATCHES "^(Linux|Windows)$")
    elseif(field_system STREQUAL "Windows" AND field_time_t EQUAL 8)
      set(flags -U_USE_32BIT_TIME_T -D__MINGW_USE_VC2005_COMPAT)
    elseif(field_system STREQUAL "Windows")
      set(flags -D_USE_32BIT_TIME_T)
    elseif(field_time_t EQUAL 8)
      set(flags -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64)
    else()
      set(flags -U_TIME_BITS)
    endif()
    set(${prefix}_time_flags "${flags}" PARENT_SCOPE)
    set(${prefix}_variant "" PARENT_SCOPE)
    if(flags AND field_time_t EQUAL 8 AND field_triplet IN_LIST time32)
      set(${prefix}_variant time64 PARENT_SCOPE)
    endif()
    string(REPLACE "," ";" boards "${field_board}")
    list(REMOVE_ITEM boards -)
    list(TRANSFORM boards PREPEND ${TYPESIZES_BOARDS_DIR}/)
    set(${prefix}_boards "${boards}" PARENT_SCOPE)
    set(${prefix}_found TRUE PARENT_SCOPE)
    return()
  endforeach()
endfunction()

# typesizes_runner(RUN_VAR REASON_VAR): for the row found as row_*, the command
# to put before its programs here, or why there is none; whether it works is
# for the caller to try. It is a board's run.c, built with the host's C
# compiler against the library the row names (headers in a folder of that
# name); a board's run.sh, given the runner first; wine, with its prefix and
# server folder in the build folder and no menu entries (env(1): cmake -E env
# would put /dev/null on a closed output); or qemu-user with the libraries.
function(typesizes_runner run_var reason_var)
  set(run "")
  set(reason "")
  list(TRANSFORM row_boards APPEND /run.* OUTPUT_VARIABLE own)
  file(GLOB own ${own})
  if(row_runner STREQUAL "-")
    set(reason "this machine does not run its programs itself, and its row names no runner")
  elseif(own MATCHES "\\.c$")
    find_program(host_cc NAMES cc gcc NO_CACHE)
    execute_process(COMMAND ${host_cc} -O2 -I/usr/include/${row_runner} -o ${CMAKE_BINARY_DIR}/typesizes-runner
      ${own} -l${row_runner} RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    set(run ${CMAKE_BINARY_DIR}/typesizes-runner)
    if(NOT status EQUAL 0)
      set(run "")
      set(reason "its runner could not be built with ${host_cc}: install the Debian package ${row_runner_package}")
    endif()
  else()
    find_program(runner ${row_runner} NO_CACHE)
    if(NOT runner)
      set(reason "${row_runner} is not installed (Debian package ${row_runner_package})")
    elseif(own)
      set(run bash ${own} ${runner})
    elseif(row_system STREQUAL "Windows")
      set(run env WINEPREFIX=${CMAKE_BINARY_DIR}/wine TMPDIR=${CMAKE_BINARY_DIR} WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml=,winemenubuilder.exe=d ${runner})
    else()
      set(run ${runner} -L /usr/${row_triplet})
    endif()
  endif()
  set(${run_var} "${run}" PARENT_SCOPE)
  set(${reason_var} "${reason}" PARENT_SCOPE)
endfunction()
