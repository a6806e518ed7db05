# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# How the build's programs run here: TYPESIZES_RUN, or TYPESIZES_NOT_RUN and
# its evidence, TYPESIZES_NOT_RUN_PACKAGE or _BARE (docs/targets.md).
# A runner's own files (wine's prefix, say) go in the build folder.
set(TYPESIZES_RUN_ENV env HOME=${PROJECT_BINARY_DIR}/typesizes-home TMPDIR=${PROJECT_BINARY_DIR})

# typesizes_program(BUILT_VAR FILE LINK_OPTIONS FOLDER...): cmake/probe.cpp as FILE, with
# the row's time_flags and the FOLDERs' pieces, none of the project's options; FILE.log.
function(typesizes_program built_var file link_options)
  list(TRANSFORM ARGN APPEND /*.cpp OUTPUT_VARIABLE sources)
  file(GLOB sources ${sources})
  set(CMAKE_TRY_COMPILE_TARGET_TYPE EXECUTABLE)
  try_compile(built SOURCES ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/probe.cpp ${sources}
    CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${ARGN}" COMPILE_DEFINITIONS ${row_time_flags}
    LINK_OPTIONS ${link_options} COPY_FILE ${file} NO_CACHE OUTPUT_VARIABLE log)
  file(WRITE ${file}.log "${log}")
  set(${built_var} ${built} PARENT_SCOPE)
endfunction()

# typesizes_try_run(PREFIX PROGRAM COMMAND...): PROGRAM under COMMAND for a minute at most:
# PREFIX_ran, whether it said "ran" (and exited 3); PREFIX_error, its status and last words.
function(typesizes_try_run prefix program)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/typesizes-home)
  execute_process(COMMAND ${ARGN} ${program} TIMEOUT 60 RESULT_VARIABLE status
    OUTPUT_VARIABLE output ERROR_VARIABLE error)
  string(REGEX MATCH "(^|\n)ran typesizes-libc=" ran "${output}")
  if(ran AND NOT status EQUAL 3)
    message(FATAL_ERROR "A test program ran under '${ARGN}' but exited ${status}, not 3")
  endif()
  string(REGEX REPLACE "[\r\n]+$" "" error "${error}${output}")
  string(REGEX REPLACE ".*\n|;" "" error "${error}")
  # A file the kernel does not execute is handed to /bin/sh by execvp.
  string(REGEX REPLACE ".*: Syntax error: .*" "the kernel does not execute it" error "${error}")
  set(${prefix}_ran "${ran}" PARENT_SCOPE)
  set(${prefix}_error "(${status}) ${error}" PARENT_SCOPE)
endfunction()

# typesizes_runner(RUN_VAR RUNNER PACKAGE FOLDER...): the command that runs a program under RUNNER,
# with a FOLDER's run.c or run.sh; "" if PACKAGE is not installed (dpkg's word), fatal if it fails.
function(typesizes_runner run_var runner package)
  list(TRANSFORM ARGN APPEND /run.* OUTPUT_VARIABLE own)
  file(GLOB own ${own})
  list(POP_FRONT runner program)
  set(run "")
  find_program(path ${program} NO_CACHE)
  if(own MATCHES "[.]c$") # built against the library RUNNER names
    find_program(host_cc NAMES cc gcc NO_CACHE)
    execute_process(COMMAND ${host_cc} -O2 -I/usr/include/${program} -o typesizes-runner ${own}
      -l${program} WORKING_DIRECTORY ${PROJECT_BINARY_DIR} RESULT_VARIABLE failed ERROR_VARIABLE log)
    if(NOT failed)
      set(run ${PROJECT_BINARY_DIR}/typesizes-runner)
    endif()
  elseif(path)
    set(run ${path} ${runner})
    if(own)
      list(PREPEND run bash ${own})
    endif()
  endif()
  execute_process(COMMAND dpkg-query -W -f=\${Status} ${package}
    RESULT_VARIABLE dpkg OUTPUT_VARIABLE status ERROR_QUIET)
  if(NOT run AND (status STREQUAL "install ok installed" OR (NOT dpkg MATCHES "^[01]$" AND path)))
    message(FATAL_ERROR "${program} (Debian package ${package}) is installed, but missing "
      "or its runner ${own} did not build ${log}")
  elseif(run)
    set(run ${TYPESIZES_RUN_ENV} ${run})
  endif()
  set(${run_var} "${run}" PARENT_SCOPE)
endfunction()

# typesizes_run_here(PROBE FORMAT RUNNER BARE PACKAGE FOLDER...): how PROBE runs here: under
# the builder's emulator, the kernel or RUNNER; or the reason it does not, which must hold.
function(typesizes_run_here probe format runner bare package)
  set(run "${CMAKE_CROSSCOMPILING_EMULATOR}")
  set(probe_ran "")
  set(probe_error "(not run)")
  if(run OR format STREQUAL "elf") # a PE file run directly could start the user's wine
    typesizes_try_run(probe ${probe} ${run})
  endif()
  set(missing "")
  if(run)
    set(bare ${run})
  elseif(NOT runner AND format STREQUAL "elf") # no row
    set(bare -)
  elseif(NOT probe_ran AND runner AND NOT runner STREQUAL "-")
    typesizes_runner(run "${runner}" ${package} ${ARGN})
    if(run)
      typesizes_try_run(probe ${probe} ${run})
    else()
      set(missing ${package})
    endif()
  endif()
  list(JOIN run " " command)
  set(reason "")
  if(probe_ran)
  elseif(missing)
    list(GET runner 0 program)
    set(reason "${program} is not installed (Debian package ${missing})")
  elseif(NOT runner AND NOT bare)
    set(reason "no row of cmake/targets.txt names a runner for it, nor its toolchain an emulator")
  elseif(NOT bare)
    message(FATAL_ERROR "A test program of this target did not run under '${command}': ${probe_error}")
  else()
    # A plain program, static but for the kernel (the C library may have no static part).
    set(plain ${PROJECT_BINARY_DIR}/typesizes-plain)
    typesizes_program(built ${plain} -static)
    if(NOT built AND bare STREQUAL "-")
      typesizes_program(built ${plain} "")
    endif()
    if(NOT built)
      message(FATAL_ERROR "A plain program of this target could not be built (see ${plain}.log)")
    endif()
    string(REGEX REPLACE "^-$" "" bare "${bare}") # the kernel: no command
    list(JOIN bare " " by)
    set(by "'${by}'")
    if(NOT bare)
      set(by "this machine")
    endif()
    typesizes_try_run(plain ${plain} ${TYPESIZES_RUN_ENV} ${bare})
    if(plain_ran)
      message(FATAL_ERROR "A test program built with the project's flags and pieces did not run "
        "under '${command}' ${probe_error}, though a plain one runs under ${by}: a fault of "
        "the project's runner command, flags or pieces")
    endif()
    set(reason "${by} cannot run a plain program of this target either: ${plain_error}")
    set(TYPESIZES_NOT_RUN_BARE ${TYPESIZES_RUN_ENV} ${bare} PARENT_SCOPE)
  endif()
  if(reason)
    set(run "")
    message(STATUS "typesizes: its programs are built, not run here: ${reason}")
  endif()
  set(TYPESIZES_RUN "${run}" PARENT_SCOPE)
  set(TYPESIZES_NOT_RUN "${reason}" PARENT_SCOPE)
  set(TYPESIZES_NOT_RUN_PACKAGE "${missing}" PARENT_SCOPE)
endfunction()
