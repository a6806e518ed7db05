# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Reads cmake/targets.txt, the table of targets. Used by the toolchain file
# (which must name a row) and by the build (which finds the row it builds for).

set(TYPESIZES_TARGETS_FILE ${CMAKE_CURRENT_LIST_DIR}/targets.txt)
set(typesizes_target_columns
  preset deb rpm triplet emulator class endian machine float time_t int short)

# typesizes_find_target(COLUMN VALUE [COLUMN VALUE]...): sets target_<column>
# for every column of the first row matching all the pairs, and
# target_found to TRUE or FALSE, in the caller's scope. Derived too:
# target_time_flags, the flags that fix time_t's size on a 32-bit target (a
# list), and target_variant, "time64" for a 32-bit target with 64-bit time_t.
function(typesizes_find_target)
  file(STRINGS ${TYPESIZES_TARGETS_FILE} rows REGEX "^[^#]")
  set(target_found FALSE PARENT_SCOPE)
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "[ \t]+" ";" fields "${row}")
    set(pairs ${ARGN})
    set(match TRUE)
    while(pairs AND match)
      list(POP_FRONT pairs column value)
      list(FIND typesizes_target_columns ${column} index)
      list(GET fields ${index} field)
      if(NOT field STREQUAL value)
        set(match FALSE)
      endif()
    endwhile()
    if(NOT match)
      continue()
    endif()
    foreach(column IN LISTS typesizes_target_columns)
      list(POP_FRONT fields value)
      set(target_${column} ${value})
      set(target_${column} ${value} PARENT_SCOPE)
    endforeach()
    set(flags "")
    set(variant "")
    if(target_class EQUAL 32 AND target_time_t EQUAL 8)
      set(flags -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64)
      set(variant time64)
    elseif(target_class EQUAL 32)
      set(flags -U_TIME_BITS)
    endif()
    set(target_time_flags "${flags}" PARENT_SCOPE)
    set(target_variant "${variant}" PARENT_SCOPE)
    set(target_found TRUE PARENT_SCOPE)
    return()
  endforeach()
endfunction()

# typesizes_target_names(VAR): every preset name in the table.
function(typesizes_target_names var)
  file(STRINGS ${TYPESIZES_TARGETS_FILE} rows REGEX "^[^#]")
  set(names "")
  foreach(row IN LISTS rows)
    string(REGEX MATCH "^[^ \t]+" name "${row}")
    list(APPEND names ${name})
  endforeach()
  set(${var} ${names} PARENT_SCOPE)
endfunction()
