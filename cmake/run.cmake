# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# How this build's programs run here, found out by running a test program
# built with the target's own pieces: under the builder's emulator, directly,
# or else under its row's runner. typesizes_run_here sets TYPESIZES_RUN, the
# command to put in front of a program. Where none works, TYPESIZES_NOT_RUN
# says why, on evidence from outside the project's own pieces (docs/targets.md):
# the runner's package is missing (TYPESIZES_NOT_RUN_PACKAGE names it), or the
# runner cannot run a plain program of the target either. Any other failure is
# the project's own and stops configure.

# wine's environment for this build: its server and temporary files in the
# build folder, no menu entries or browser (env(1): cmake -E env would put
# /dev/null on a closed output).
set(TYPESIZES_WINE_ENV TMPDIR=${CMAKE_BINARY_DIR} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=,winemenubuilder.exe=d)

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
# its prefix in the build folder; or qemu-user with the target's libraries.
# RUNNER is the program, and the options the row gives a qemu-user or wine.
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
      set(run env WINEPREFIX=${CMAKE_BINARY_DIR}/wine ${TYPESIZES_WINE_ENV} ${path} ${runner})
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

# typesizes_program(BUILT_VAR FILE LINK_OPTIONS BOARD...): builds FILE, a test
# program that prints "ran" and exits 3, as the build's programs are built (the
# builder's and the target's flags), with the sources and headers of the BOARD
# folders and the LINK_OPTIONS (a list, or ""); BUILT_VAR says whether it
# linked, and the log, if not, goes to FILE.log.
function(typesizes_program built_var file link_options)
  file(CONFIGURE OUTPUT ${file}.cpp CONTENT "#include <cstdio>\nint main() { std::printf(\"ran\\n\"); return 3; }\n")
  list(TRANSFORM ARGN APPEND /*.cpp OUTPUT_VARIABLE sources)
  file(GLOB sources ${sources})
  set(CMAKE_TRY_COMPILE_TARGET_TYPE EXECUTABLE)
  try_compile(built SOURCES ${file}.cpp ${sources} CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${ARGN}"
    LINK_OPTIONS ${link_options} COPY_FILE ${file} NO_CACHE OUTPUT_VARIABLE log)
  file(WRITE ${file}.log "${log}")
  set(${built_var} ${built} PARENT_SCOPE)
endfunction()

# typesizes_plain_run(ERROR_VAR PROBE COMMAND...): builds a plain program of the
# target, without the project's pieces (on Linux static, so that it needs no
# library of the target; dynamic only where the kernel is to run it and the
# target has no static libraries), checks it is of PROBE's kind, and runs it
# with COMMAND, the bare runner, in front; ERROR_VAR as typesizes_try_run's.
function(typesizes_plain_run error_var probe)
  set(plain ${PROJECT_BINARY_DIR}/typesizes-plain)
  set(built FALSE)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    typesizes_program(built ${plain} -static)
  endif()
  if(NOT built AND NOT (ARGN AND CMAKE_SYSTEM_NAME STREQUAL "Linux"))
    typesizes_program(built ${plain} "")
  endif()
  typesizes_identify(${probe} probe)
  typesizes_identify(${plain} plain)
  set(kind "${probe_class} ${probe_endian} ${probe_machine}")
  if(NOT built OR NOT "${plain_class} ${plain_endian} ${plain_machine}" STREQUAL kind)
    message(FATAL_ERROR "A plain program of this target could not be built (see ${plain}.log)")
  endif()
  typesizes_try_run(error 60 ${plain} ${ARGN})
  set(${error_var} "${error}" PARENT_SCOPE)
endfunction()

# typesizes_run_here(PROBE ROW): how the build's programs run here (above), for
# the test program PROBE and the row whose variables start with ROW_.
function(typesizes_run_here probe row)
  set(run "")
  if(DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    set(run ${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()
  # Run directly, a Windows program could start the user's own wine (binfmt_misc).
  set(error "not run")
  if(run OR NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    typesizes_try_run(error 60 ${probe} ${run})
  endif()
  set(bare "${run}")
  set(missing "")
  if(error AND NOT run AND ${row}_found AND NOT ${row}_runner STREQUAL "-")
    typesizes_runner(run missing "${${row}_runner}" ${${row}_runner_package} ${${row}_system} ${${row}_triplet}
      ${${row}_boards})
    list(GET ${row}_runner 0 bare)
    if(run)
      typesizes_try_run(error 60 ${probe} ${run})
    endif()
  endif()
  list(JOIN run " " command)
  set(reason "")
  if(NOT error)
  elseif(missing)
    set(reason "${bare} is not installed (Debian package ${missing})")
  elseif(NOT ${row}_found AND NOT bare AND NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(reason "no row of cmake/targets.txt names a runner for it, nor its toolchain an emulator")
  elseif(NOT CMAKE_SYSTEM_NAME MATCHES "^(Linux|Windows)$")
    message(FATAL_ERROR "A test program of this target did not run under '${command}': ${error}")
  else()
    if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
      set(bare env WINEPREFIX=${PROJECT_BINARY_DIR}/wine-plain ${TYPESIZES_WINE_ENV} ${bare})
    endif()
    typesizes_plain_run(plain_error ${probe} ${bare})
    list(JOIN bare " " bare)
    if(NOT plain_error)
      message(FATAL_ERROR "A test program built with the project's flags and pieces did not run under "
        "'${command}' (${error}), though a plain program of the target runs under '${bare}': a fault of the "
        "project's runner command, flags or board pieces")
    elseif(bare)
      set(reason "'${bare}' cannot run a plain program of this target either: ${plain_error}")
    else()
      # A file the kernel does not execute is handed to /bin/sh by execvp.
      string(REGEX REPLACE "^\\(2\\) .*: Syntax error: .*" "the kernel does not execute it"
        plain_error "${plain_error}")
      set(reason "this machine cannot run a plain program of this target itself: ${plain_error}")
    endif()
  endif()
  if(reason)
    set(run "")
    message(STATUS "typesizes: its programs are built, not run here: ${reason}")
  endif()
  set(TYPESIZES_RUN "${run}" PARENT_SCOPE)
  set(TYPESIZES_NOT_RUN "${reason}" PARENT_SCOPE)
  set(TYPESIZES_NOT_RUN_PACKAGE "${missing}" PARENT_SCOPE)
endfunction()
