# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# How the build's programs run here: TYPESIZES_RUN, or TYPESIZES_NOT_RUN and
# TYPESIZES_NOT_RUN_PACKAGE (docs/targets.md).

# wine's server and files in the build folder, no menus or browser.
set(TYPESIZES_WINE_ENV TMPDIR=${CMAKE_BINARY_DIR} WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml=,winemenubuilder.exe=d)

# typesizes_program(BUILT_VAR FILE LINK_OPTIONS FOLDER...): FILE, printing
# "ran", status 3, built as the build's programs are; its log in FILE.log.
function(typesizes_program built_var file link_options)
  file(CONFIGURE OUTPUT ${file}.cpp
    CONTENT "#include <stdio.h>\nint main() { printf(\"ran\\n\"); return 3; }\n")
  list(TRANSFORM ARGN APPEND /*.cpp OUTPUT_VARIABLE sources)
  file(GLOB sources ${sources})
  set(CMAKE_TRY_COMPILE_TARGET_TYPE EXECUTABLE)
  try_compile(built SOURCES ${file}.cpp ${sources}
    CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${ARGN}" LINK_OPTIONS ${link_options}
    COPY_FILE ${file} NO_CACHE OUTPUT_VARIABLE log)
  file(WRITE ${file}.log "${log}")
  set(${built_var} ${built} PARENT_SCOPE)
endfunction()

# typesizes_try_run(ERROR_VAR PROGRAM COMMAND...): "" if PROGRAM under COMMAND
# printed "ran" and exited 3 within a minute, else the status and failure.
function(typesizes_try_run error_var program)
  execute_process(COMMAND ${ARGN} ${program} TIMEOUT 60 RESULT_VARIABLE status
    OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(output MATCHES "^ran\r?\n$" AND NOT status EQUAL 3)
    message(FATAL_ERROR "A test program ran under '${ARGN}' but ended with status ${status}")
  endif()
  string(STRIP "${error}\n${output}" error)
  string(REGEX MATCH "[^\n]*([Ff]ail|[Cc]ould not|[Cc]annot|[Ee]rror)[^\n]*" line "${error}")
  if(line)
    set(error "${line}")
  endif()
  string(REGEX REPLACE ".*\n|\r" "" error "${error}")
  string(REPLACE ";" "," error "${error}")
  set(${error_var} "(${status}) ${error}" PARENT_SCOPE)
  if(status EQUAL 3)
    set(${error_var} "" PARENT_SCOPE)
  endif()
endfunction()

# typesizes_runner(RUN_VAR RUNNER PACKAGE TRIPLET FOLDER...): a folder's run.c
# or run.sh, wine or qemu-user; "" if missing, fatal if its package has none.
function(typesizes_runner run_var runner package triplet)
  list(TRANSFORM ARGN APPEND /run.* OUTPUT_VARIABLE own)
  file(GLOB own ${own})
  list(POP_FRONT runner program)
  execute_process(COMMAND dpkg-query -W -f=\${Status} ${package} OUTPUT_VARIABLE status ERROR_QUIET)
  set(run "")
  set(log "")
  if(own MATCHES "\\.c$")
    find_program(host_cc NAMES cc gcc NO_CACHE)
    execute_process(COMMAND ${host_cc} -O2 -I/usr/include/${program} -o typesizes-runner ${own}
      -l${program} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} RESULT_VARIABLE failed ERROR_VARIABLE log)
    if(NOT failed)
      set(run ${CMAKE_BINARY_DIR}/typesizes-runner)
    endif()
  else()
    find_program(path ${program} NO_CACHE)
    if(own AND path)
      set(run bash ${own} ${path})
    elseif(CMAKE_SYSTEM_NAME STREQUAL "Windows" AND path)
      set(run env WINEPREFIX=${CMAKE_BINARY_DIR}/wine ${TYPESIZES_WINE_ENV} ${path} ${runner})
    elseif(path)
      set(run ${path} ${runner} -L /usr/${triplet})
    endif()
  endif()
  if(NOT run AND status STREQUAL "install ok installed")
    message(FATAL_ERROR "The Debian package ${package} is installed, but ${program} is missing or "
      "its runner ${own} did not build ${log}")
  endif()
  set(${run_var} "${run}" PARENT_SCOPE)
endfunction()

# typesizes_run_here(PROBE RUNNER PACKAGE TRIPLET FOLDER...): the emulator,
# the kernel or the row's RUNNER ("" without a row) that runs PROBE, or why none.
function(typesizes_run_here probe runner package triplet)
  set(run "")
  if(DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    set(run ${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()
  # Run directly, a Windows program could start the user's own wine.
  set(error "not run")
  if(run OR NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    typesizes_try_run(error ${probe} ${run})
  endif()
  set(bare "${run}")
  set(missing "")
  if(error AND NOT run AND runner AND NOT runner STREQUAL "-")
    typesizes_runner(run "${runner}" ${package} ${triplet} ${ARGN})
    list(GET runner 0 bare)
    if(run)
      typesizes_try_run(error ${probe} ${run})
    else()
      set(missing ${package})
    endif()
  endif()
  list(JOIN run " " command)
  set(reason "")
  if(NOT error)
  elseif(missing)
    set(reason "${bare} is not installed (Debian package ${missing})")
  elseif(NOT runner AND NOT bare AND NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(reason "no row of cmake/targets.txt names a runner for it, nor its toolchain an emulator")
  elseif(NOT CMAKE_SYSTEM_NAME MATCHES "^(Linux|Windows)$")
    message(FATAL_ERROR "A test program of this target did not run under '${command}': ${error}")
  else()
    if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
      set(bare env WINEPREFIX=${PROJECT_BINARY_DIR}/wine-plain ${TYPESIZES_WINE_ENV} ${bare})
    endif()
    # A plain program of the probe's kind (static on Linux), no pieces of ours.
    set(plain ${PROJECT_BINARY_DIR}/typesizes-plain)
    set(built FALSE)
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
      typesizes_program(built ${plain} -static)
    endif()
    if(NOT built AND NOT (bare AND CMAKE_SYSTEM_NAME STREQUAL "Linux"))
      typesizes_program(built ${plain} "")
    endif()
    typesizes_identify(${probe} probe)
    typesizes_identify(${plain} plain)
    if(NOT built OR NOT "${plain_class} ${plain_endian} ${plain_machine}" STREQUAL
       "${probe_class} ${probe_endian} ${probe_machine}")
      message(FATAL_ERROR "A plain program of this target could not be built (see ${plain}.log)")
    endif()
    typesizes_try_run(plain_error ${plain} ${bare})
    list(JOIN bare " " bare)
    if(NOT plain_error)
      message(FATAL_ERROR "A test program built with the project's flags and pieces did not run "
        "under '${command}' (${error}), though a plain one runs under '${bare}': a fault of the "
        "project's runner command, flags or board pieces")
    endif()
    # A file the kernel does not execute is handed to /bin/sh by execvp.
    string(REGEX REPLACE "^\\(2\\) .*: Syntax error: .*" "the kernel does not execute it"
      plain_error "${plain_error}")
    set(by "'${bare}'")
    if(NOT bare)
      set(by "this machine")
    endif()
    set(reason "${by} cannot run a plain program of this target either: ${plain_error}")
  endif()
  if(reason)
    set(run "")
    message(STATUS "typesizes: its programs are built, not run here: ${reason}")
  endif()
  set(TYPESIZES_RUN "${run}" PARENT_SCOPE)
  set(TYPESIZES_NOT_RUN "${reason}" PARENT_SCOPE)
  set(TYPESIZES_NOT_RUN_PACKAGE "${missing}" PARENT_SCOPE)
endfunction()
