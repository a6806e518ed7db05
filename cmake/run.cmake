# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# How this build's programs run here, found out by running the test program
# (${probe}, which prints "ran" and exits 3): under the builder's emulator,
# directly, or else under its row's runner. Sets TYPESIZES_RUN, the command to
# put in front of a program. Where none works, TYPESIZES_NOT_RUN says why, on
# evidence from outside the project's own pieces (docs/targets.md): the
# runner's package is missing (TYPESIZES_NOT_RUN_PACKAGE names it), or the
# runner cannot run a plain program of the target either. Any other failure
# is the project's own and stops configure.

# typesizes_try_run(ERROR_VAR SECONDS PROGRAM COMMAND...): runs PROGRAM with
# COMMAND in front for at most SECONDS; ERROR_VAR is empty when it printed
# "ran" and exited 3, else the status and the line its runner or it wrote that
# says what failed (else the last).
function(typesizes_try_run error_var seconds program)
  execute_process(COMMAND ${ARGN} ${program} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error
    TIMEOUT ${seconds})
  if(output MATCHES "^ran\r?\n$" AND NOT status EQUAL 3)
    message(FATAL_ERROR "A test program ran under '${ARGN}' but ended with status ${status}, not its own 3")
  endif()
  string(STRIP "${error}\n${output}" error)
  string(REGEX MATCH "[^\n]*([Ff]ail|[Cc]ould not|[Cc]annot|[Ee]rror)[^\n]*" line "${error}")
  if(line)
    set(error "${line}")
  endif()
  string(REGEX REPLACE ".*\n|\r" "" error "${error}")
  string(REPLACE ";" "," error "${error}")
  if(status EQUAL 3)
    set(${error_var} "" PARENT_SCOPE)
  else()
    set(${error_var} "(${status}) ${error}" PARENT_SCOPE)
  endif()
endfunction()

# typesizes_installed(PACKAGE VAR): whether dpkg knows the Debian package PACKAGE as installed.
function(typesizes_installed package var)
  execute_process(COMMAND dpkg-query -W -f=\${Status} ${package} OUTPUT_VARIABLE status ERROR_QUIET)
  string(COMPARE EQUAL "${status}" "install ok installed" installed)
  set(${var} ${installed} PARENT_SCOPE)
endfunction()

# typesizes_runner(RUN_VAR MISSING_VAR RUNNER PACKAGE SYSTEM TRIPLET BOARD...):
# the command to put before a row's programs here: a board's run.c, built with
# the host's C compiler against the library RUNNER names (headers in a folder
# of that name); a board's run.sh, given the runner program first; wine, with
# its prefix and server folder in the build folder and no menu entries (env(1):
# cmake -E env would put /dev/null on a closed output); or qemu-user with the
# target's libraries. RUNNER is the program, and the options the row gives a
# qemu-user or wine.
# MISSING_VAR names the runner's Debian package where it is not installed; a
# runner missing from its installed package stops configure.
function(typesizes_runner run_var missing_var runner package system triplet)
  list(TRANSFORM ARGN APPEND /run.* OUTPUT_VARIABLE own)
  file(GLOB own ${own})
  list(POP_FRONT runner program)
  typesizes_installed(${package} installed)
  set(run "")
  if(own MATCHES "\\.c$")
    find_program(host_cc NAMES cc gcc NO_CACHE)
    set(run ${CMAKE_BINARY_DIR}/typesizes-runner)
    execute_process(COMMAND ${host_cc} -O2 -I/usr/include/${program} -o ${run} ${own} -l${program}
      RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE error)
    if(NOT status EQUAL 0 AND installed)
      message(FATAL_ERROR "${own} could not be built with ${host_cc}, though ${package} is installed:\n${error}")
    elseif(NOT status EQUAL 0)
      set(run "")
    endif()
  else()
    find_program(path ${program} NO_CACHE)
    if(NOT path AND installed)
      message(FATAL_ERROR "The Debian package ${package} is installed but has no ${program}")
    elseif(own AND path)
      set(run bash ${own} ${path})
    elseif(system STREQUAL "Windows" AND path)
      set(run env WINEPREFIX=${CMAKE_BINARY_DIR}/wine TMPDIR=${CMAKE_BINARY_DIR} WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml=,winemenubuilder.exe=d ${path} ${runner})
    elseif(path)
      set(run ${path} ${runner} -L /usr/${triplet})
    endif()
  endif()
  set(missing "")
  if(NOT run)
    set(missing ${package})
  endif()
  set(${run_var} "${run}" PARENT_SCOPE)
  set(${missing_var} "${missing}" PARENT_SCOPE)
endfunction()

# typesizes_plain_run(ERROR_VAR COMMAND...): builds a plain program of the
# target with the compiler and the builder's flags alone (on Linux static, as
# it then needs no library of the target; dynamic where the kernel is to run it
# and the target has no static libraries) and runs it with COMMAND, the bare
# runner, in front; ERROR_VAR as typesizes_try_run's.
function(typesizes_plain_run error_var)
  set(plain ${PROJECT_BINARY_DIR}/typesizes-plain)
  file(CONFIGURE OUTPUT ${plain}.cpp CONTENT "#include <cstdio>\nint main() { std::printf(\"ran\\n\"); return 3; }\n")
  separate_arguments(flags UNIX_COMMAND "${CMAKE_CXX_FLAGS}")
  set(status 1)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${flags} -static -o ${plain} ${plain}.cpp
      RESULT_VARIABLE status ERROR_VARIABLE error)
  endif()
  if(NOT status EQUAL 0 AND NOT (ARGN AND CMAKE_SYSTEM_NAME STREQUAL "Linux"))
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${flags} -o ${plain} ${plain}.cpp
      RESULT_VARIABLE status ERROR_VARIABLE error)
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "A plain program could not be built with ${CMAKE_CXX_COMPILER} ${flags}:\n${error}")
  endif()
  typesizes_try_run(error 20 ${plain} ${ARGN})
  set(${error_var} "${error}" PARENT_SCOPE)
endfunction()

set(TYPESIZES_RUN "")
if(DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(TYPESIZES_RUN ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()
set(TYPESIZES_NOT_RUN "")
set(TYPESIZES_NOT_RUN_PACKAGE "")
typesizes_try_run(error 60 ${probe} ${TYPESIZES_RUN})
set(bare "${TYPESIZES_RUN}")
if(error AND NOT TYPESIZES_RUN AND row_found AND NOT row_runner STREQUAL "-")
  typesizes_runner(TYPESIZES_RUN TYPESIZES_NOT_RUN_PACKAGE "${row_runner}" ${row_runner_package} ${row_system}
    ${row_triplet} ${row_boards})
  list(GET row_runner 0 bare)
  if(TYPESIZES_RUN)
    typesizes_try_run(error 60 ${probe} ${TYPESIZES_RUN})
  endif()
endif()
list(JOIN TYPESIZES_RUN " " command)
if(NOT error)
elseif(TYPESIZES_NOT_RUN_PACKAGE)
  set(TYPESIZES_NOT_RUN "${bare} is not installed (Debian package ${TYPESIZES_NOT_RUN_PACKAGE})")
elseif(NOT CMAKE_SYSTEM_NAME MATCHES "^(Linux|Windows)$")
  message(FATAL_ERROR "A test program of this target did not run under '${command}': ${error}")
else()
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(bare env WINEPREFIX=${PROJECT_BINARY_DIR}/wine-plain WINEDEBUG=-all ${bare})
  endif()
  typesizes_plain_run(plain_error ${bare})
  if(NOT plain_error)
    message(FATAL_ERROR "A test program built with the project's flags and pieces did not run under "
      "'${command}' (${error}), though a plain program of the target runs under '${bare}': a fault of the "
      "project's runner command, flags or board pieces")
  endif()
  list(JOIN bare " " bare)
  set(TYPESIZES_NOT_RUN "'${bare}' cannot run a plain program of this target either: ${plain_error}")
  if(NOT bare)
    # A file the kernel does not execute is handed to /bin/sh by execvp.
    string(REGEX REPLACE "^\\(2\\) .*: Syntax error: .*" "the kernel does not execute it" plain_error "${plain_error}")
    set(TYPESIZES_NOT_RUN "this machine cannot run a plain program of this target itself: ${plain_error}")
  endif()
endif()
if(TYPESIZES_NOT_RUN)
  set(TYPESIZES_RUN "")
  message(STATUS "typesizes: its programs are built, not run here: ${TYPESIZES_NOT_RUN}")
endif()
