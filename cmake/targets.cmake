# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The table of targets and what a program's header says (docs/targets.md).
if(CMAKE_SCRIPT_MODE_FILE) # the project's policies, as the tools run it
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt version REGEX "^cmake_minimum" LIMIT_COUNT 1)
  string(REGEX MATCH "[0-9.]+" version "${version}")
  cmake_policy(VERSION ${version})
endif()
get_filename_component(TYPESIZES_KINDS ${CMAKE_CURRENT_LIST_DIR}/../targets ABSOLUTE)
set(TYPESIZES_DERIVED time_t int short system libc needs compiler package runner runner_package
  bare flags folders formats eol gone no_args split_args no_env outputs page time_flags package_name sibling
  lint_platform)

# typesizes_read_table(FILE ROWS_VAR COLUMNS_VAR): FILE's rows, each as wide
# as its header, and the header's columns.
function(typesizes_read_table file rows_var columns_var)
  file(STRINGS ${file} rows REGEX "^[ \t]*[^# \t]")
  list(TRANSFORM rows STRIP)
  list(TRANSFORM rows REPLACE "[ \t]+" " ")
  list(POP_FRONT rows header)
  string(REGEX REPLACE "[^ ]+" "-" width "${header}")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "[^ ]+" "-" shape "${row}")
    string(REGEX MATCH "^[^ ]+" name "${row}")
    if(NOT shape STREQUAL width)
      message(FATAL_ERROR "${file}: row '${name}' has not one field a column (${header})")
    endif()
  endforeach()
  string(REPLACE " " ";" header "${header}")
  set(${rows_var} "${rows}" PARENT_SCOPE)
  set(${columns_var} "${header}" PARENT_SCOPE)
endfunction()

# typesizes_split_row(ROW COLUMNS): each column's field (commas part a list),
# and the sizes' time_t, int and short.
macro(typesizes_split_row row columns)
  string(REPLACE " " ";" fields "${row}")
  foreach(column IN ITEMS ${columns})
    list(POP_FRONT fields ${column})
    string(REPLACE "," ";" ${column} "${${column}}")
  endforeach()
  set(fields ${sizes})
  list(POP_FRONT fields time_t int short)
endmacro()

# typesizes_derive(ROWS): TYPESIZES_DERIVED of the split row, one of ROWS.
macro(typesizes_derive rows)
  # glibc Linux, Debian's cross g++ and qemu-user, unless the kind says.
  set(system Linux)
  set(libc glibc)
  set(needs libc.so.6)
  if(machine EQUAL 36902) # glibc's soname on alpha
    set(needs libc.so.6.1)
  endif()
  set(compiler ${triplet}-g++)
  string(REPLACE _ - package g++-${triplet})
  # qemu-user's name for the triplet's processor, with the target's libraries.
  string(REGEX REPLACE "-.*" "" bare ${triplet})
  string(REGEX REPLACE "^powerpc" "ppc" bare ${bare})
  string(REPLACE i686 i386 bare qemu-${bare})
  set(runner ${bare} -L /usr/${triplet})
  set(runner_package qemu-user)
  if(preset STREQUAL "default") # this machine's own
    set(compiler g++)
    set(package g++)
  endif()
  if(preset STREQUAL "default" OR triplet MATCHES "x32$") # the kernel's; qemu-user has no x32
    set(runner -)
    set(runner_package -)
    set(bare -)
  endif()
  foreach(fact flags folders eol no_args split_args no_env outputs page)
    set(${fact} "")
  endforeach()
  set(formats DEB RPM)
  set(lint_platform unix${class}) # cppcheck's name for the data model
  if(NOT kind STREQUAL "-")
    if(NOT EXISTS ${TYPESIZES_KINDS}/${kind}/kind.cmake)
      message(FATAL_ERROR "Row '${preset}': no kind ${kind} (targets/${kind}/kind.cmake)")
    endif()
    set(folders ${kind})
    include(${TYPESIZES_KINDS}/${kind}/kind.cmake)
  endif()
  list(TRANSFORM folders PREPEND ${TYPESIZES_KINDS}/)
  # Other systems' programs are zipped, their C library told apart by the
  # system; SIGPIPE ends a writer on Linux alone.
  set(gone 141)
  if(NOT system STREQUAL "Linux")
    set(formats ZIP)
    set(libc -)
    set(gone 1)
  elseif(needs STREQUAL "-" AND formats MATCHES "DEB|RPM") # a system package uses the system's C library
    message(FATAL_ERROR "Kind ${kind}: its programs are linked whole, yet packed as ${formats}")
  endif()
  # time_t's size forced both ways on 32-bit Linux and Windows (changing
  # nothing where the C library has one size, as x32's and musl's).
  set(Linux324 -U_TIME_BITS)
  set(Linux328 -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64)
  set(Windows324 -D_USE_32BIT_TIME_T)
  set(Windows328 -U_USE_32BIT_TIME_T -D__MINGW_USE_VC2005_COMPAT)
  set(time_flags ${${system}${class}${time_t}})
  # A -time64 row and its sibling are a data model's two packages.
  set(package_name typesizes)
  set(sibling "")
  if(preset MATCHES "-time64$")
    set(package_name typesizes-time64)
    set(sibling typesizes)
  elseif(";${${rows}}" MATCHES ";${preset}-time64 ")
    set(sibling typesizes-time64)
  endif()
endmacro()

# typesizes_find_target(PREFIX BY VALUE [REQUIRED]): PREFIX_found, and the facts
# and identity of the first row whose preset (BY preset) or identity (BY built) is VALUE.
function(typesizes_find_target prefix by value)
  typesizes_read_table(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/targets.txt rows columns)
  set(${prefix}_found FALSE PARENT_SCOPE)
  foreach(row IN LISTS rows)
    typesizes_split_row("${row}" "${columns}")
    set(raw "${class} ${endian} ${machine} ${abi} ${time_t} ${int} ${short}")
    if(by STREQUAL "preset" AND preset STREQUAL value OR value MATCHES " ${raw}$")
      typesizes_derive(rows) # only for a row that may be it
      set(identity "${system} ${libc} ${raw}")
      if(by STREQUAL "preset" OR value STREQUAL identity)
        foreach(fact IN LISTS columns TYPESIZES_DERIVED ITEMS identity)
          set(${prefix}_${fact} "${${fact}}" PARENT_SCOPE)
        endforeach()
        set(${prefix}_found TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  if(ARGN STREQUAL "REQUIRED")
    list(TRANSFORM rows REPLACE " .*" "")
    list(JOIN rows ", " rows)
    message(FATAL_ERROR "No row of cmake/targets.txt is '${value}'; its rows: ${rows}")
  endif()
endfunction()

# typesizes_field(LIST_VAR OFFSET SIZE ENDIAN VAR): the number at OFFSET of the
# list of hex bytes LIST_VAR names.
function(typesizes_field list_var offset size endian var)
  list(SUBLIST ${list_var} ${offset} ${size} field)
  if(endian STREQUAL "little")
    list(REVERSE field)
  endif()
  list(JOIN field "" field)
  math(EXPR field "0x0${field}")
  set(${var} ${field} PARENT_SCOPE)
endfunction()

# typesizes_identify(FILE PREFIX): an ELF, PE or WebAssembly file's
# PREFIX_format, _class, _endian, _machine, _abi (the float ABI or MIPS ISA,
# in readelf's words); a probe's _libc, _time_t, _int, _short; and _identity.
function(typesizes_identify file prefix)
  file(READ ${file} hex LIMIT 1024 HEX)
  string(REGEX MATCHALL ".." bytes "${hex}")
  foreach(fact format class machine abi)
    set(${fact} -)
  endforeach()
  set(endian little)
  if(hex MATCHES "^7f454c46(0[12])(0[12])")
    set(format elf)
    math(EXPR class "${CMAKE_MATCH_1} * 32")
    if(CMAKE_MATCH_2 EQUAL 2)
      set(endian big)
    endif()
    typesizes_field(bytes 18 2 ${endian} machine)
    math(EXPR at "${class} * 3 / 8 + 24") # e_flags: 36 in ELF32, 48 in ELF64
    typesizes_field(bytes ${at} 4 ${endian} flags)
    math(EXPR float "(${flags} >> 1) & 3")
    math(EXPR arm "(${flags} >> 9) & 3") # 1, soft; 2, hard
    math(EXPR isa "(${flags} >> 28) - 5")
    # MIPS: o32 (ABI field 1) for ELF32, n64 (no ABI field, no n32 flag) for ELF64.
    math(EXPR mips_abi "(${flags} >> 12 & 15) + (${flags} & 32)")
    if(machine EQUAL 40 AND arm)
      set(names - soft-float hard-float)
      list(GET names ${arm} abi)
    elseif(machine EQUAL 243)
      set(names soft-float single-float double-float quad-float)
      list(GET names ${float} abi)
    elseif(machine EQUAL 8 AND isa GREATER_EQUAL 0 AND isa LESS 6 AND "${class} ${mips_abi}" MATCHES "^(32 1|64 0)$")
      set(names mips32 mips64 mips32r2 mips64r2 mips32r6 mips64r6)
      list(GET names ${isa} abi)
    endif()
  elseif(hex MATCHES "^4d5a")
    set(format pe)
    typesizes_field(bytes 60 4 little at)
    list(SUBLIST bytes ${at} 26 pe)
    list(JOIN pe "" pe)
    # "PE\0\0", the machine, then the optional header's magic: PE32 or PE32+.
    string(REPEAT . 36 skip)
    if(pe MATCHES "^50450000(..)(..)${skip}0b0([12])")
      math(EXPR machine "0x${CMAKE_MATCH_2}${CMAKE_MATCH_1}")
      math(EXPR class "${CMAKE_MATCH_3} * 32")
    endif()
  elseif(hex MATCHES "^0061736d")
    set(format webassembly)
    set(class 32)
  endif()
  # The C library and the sizes the probe program (cmake/probe.cpp) holds.
  file(STRINGS ${file} strings REGEX "(typesizes-libc|TS)=")
  string(REGEX MATCH "typesizes-libc=([a-z-]+)" libc "${strings}")
  set(libc ${CMAKE_MATCH_1})
  string(REGEX MATCH "TS=[0-9][0-9][0-9]" sizes "${strings}")
  string(REGEX MATCHALL "[0-9]" sizes "${sizes}")
  list(POP_FRONT sizes time_t int short)
  set(identity "${CMAKE_SYSTEM_NAME} ${libc} ${class} ${endian} ${machine} ${abi} ${time_t} ${int} ${short}")
  foreach(fact format class endian machine abi libc time_t int short identity)
    set(${prefix}_${fact} "${${fact}}" PARENT_SCOPE)
  endforeach()
endfunction()

# cmake -DCOLUMNS=... -P cmake/targets.cmake: those columns and derived facts
# of every row, a line each, lists comma-joined, - for none.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  typesizes_read_table(${CMAKE_CURRENT_LIST_DIR}/targets.txt rows columns)
  string(REPLACE " " ";" wanted "${COLUMNS}")
  set(out "")
  foreach(row IN LISTS rows)
    typesizes_split_row("${row}" "${columns}")
    typesizes_derive(rows)
    foreach(fact IN LISTS wanted)
      if(NOT fact IN_LIST columns AND NOT fact IN_LIST TYPESIZES_DERIVED)
        message(FATAL_ERROR "cmake/targets.txt has no column '${fact}'")
      endif()
      string(REPLACE ";" "," value "${${fact}}")
      set(value - ${value}) # - for none
      list(GET value -1 value)
      string(APPEND out "${value} ")
    endforeach()
    string(APPEND out "\n")
  endforeach()
  string(REPLACE " \n" "\n" out "${out}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "${out}")
endif()
