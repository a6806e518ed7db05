# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Reads cmake/targets.txt, the table of targets, by column name. Used by the
# toolchain file (which must name a row) and by the build (which finds the row
# it builds for).

set(TYPESIZES_TARGETS_FILE ${CMAKE_CURRENT_LIST_DIR}/targets.txt)

# typesizes_read_table(): sets columns (the header's names) and rows (the rows,
# blanks at either end removed) in the caller's scope.
macro(typesizes_read_table)
  file(STRINGS ${TYPESIZES_TARGETS_FILE} rows REGEX "^[ \t]*[^# \t]")
  list(TRANSFORM rows STRIP)
  list(POP_FRONT rows header)
  string(REGEX REPLACE "[ \t]+" ";" columns "${header}")
endmacro()

# typesizes_read_row(ROW): sets field_<column> for each column of ROW.
macro(typesizes_read_row row)
  string(REGEX REPLACE "[ \t]+" ";" fields "${row}")
  foreach(column IN LISTS columns)
    list(POP_FRONT fields field_${column})
  endforeach()
endmacro()

# typesizes_find_target(PREFIX COLUMN VALUE [COLUMN VALUE]...): finds the first
# row whose named columns hold the given values and sets, in the caller's
# scope, PREFIX_<column> for each of its columns and PREFIX_found (TRUE or
# FALSE). Derived from the row as well:
#   PREFIX_time_flags  what forces time_t to the row's size on a 32-bit target
#                      (a list; empty on a 64-bit one)
#   PREFIX_variant     "time64" for a 32-bit target with a 64-bit time_t whose
#                      architecture also has a row with a 32-bit one: the
#                      second data model of one architecture (x32, 64-bit
#                      time_t from the start, has one data model only)
function(typesizes_find_target prefix)
  typesizes_read_table()
  # The architectures (by triplet) that have a row with a 32-bit time_t.
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
      set(${prefix}_${column} ${field_${column}} PARENT_SCOPE)
    endforeach()
    # glibc and mingw-w64 each default a 32-bit target's time_t one way or the
    # other by release; both ways are forced so a row means one data model.
    set(flags "")
    set(variant "")
    if(field_class EQUAL 32 AND field_system STREQUAL "Windows")
      if(field_time_t EQUAL 8)
        set(flags -U_USE_32BIT_TIME_T -D__MINGW_USE_VC2005_COMPAT)
      else()
        set(flags -D_USE_32BIT_TIME_T)
      endif()
    elseif(field_class EQUAL 32)
      if(field_time_t EQUAL 8)
        set(flags -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64)
      else()
        set(flags -U_TIME_BITS)
      endif()
    endif()
    if(field_class EQUAL 32 AND field_time_t EQUAL 8 AND field_triplet IN_LIST time32)
      set(variant time64)
    endif()
    set(${prefix}_time_flags "${flags}" PARENT_SCOPE)
    set(${prefix}_variant "${variant}" PARENT_SCOPE)
    set(${prefix}_found TRUE PARENT_SCOPE)
    return()
  endforeach()
endfunction()

# typesizes_target_names(VAR): every preset name in the table.
function(typesizes_target_names var)
  typesizes_read_table()
  set(names "")
  foreach(row IN LISTS rows)
    typesizes_read_row("${row}")
    list(APPEND names ${field_preset})
  endforeach()
  set(${var} ${names} PARENT_SCOPE)
endfunction()
