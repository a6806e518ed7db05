# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Lint of every C and C++ source, found by name (docs/tests.md): clang-format on
# each; clang-tidy and cppcheck on each as a build compiles it. This build's own
# sources with its compile commands; for each kind of target in
# cmake/targets.txt, those sources again with the boards' (their headers as
# the program's own, so checked too) as the first such row builds them, and the
# boards' runner (run.c) as configure builds it, for this machine.
file(GLOB sources ${PROJECT_SOURCE_DIR}/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.cpp)
file(GLOB boards LIST_DIRECTORIES false ${TYPESIZES_KINDS_DIR}/*/*)
list(FILTER boards INCLUDE REGEX "(\\.c|\\.cpp|/[^./]+)$") # C, C++ and headers without a suffix
typesizes_test(lint.clang-format lint CHECKERS clang-format
  COMMAND ${sh}/tool.sh clang-format --dry-run --Werror ${sources} ${boards})

# typesizes_lint(SUFFIX [MISSING REASON] FILES... [TIDY ARG...] [CPPCHECK ARG...]):
# lint.clang-tidy and lint.cppcheck, named with SUFFIX, on FILES with the
# arguments; clang-tidy skips for REASON, what it lacks to run.
function(typesizes_lint suffix)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "MISSING" "FILES;TIDY;CPPCHECK")
  if(arg_MISSING)
    set(arg_MISSING --missing "${arg_MISSING}")
  endif()
  typesizes_test(lint.clang-tidy${suffix} lint CHECKERS clang-tidy COMMAND ${sh}/tool.sh ${arg_MISSING}
    clang-tidy --quiet --warnings-as-errors=* --header-filter=.* ${arg_FILES} ${arg_TIDY})
  typesizes_test(lint.cppcheck${suffix} lint CHECKERS cppcheck COMMAND ${sh}/tool.sh cppcheck --quiet
    --error-exitcode=1 --enable=all --inline-suppr --suppress=missingIncludeSystem ${arg_CPPCHECK} ${arg_FILES})
endfunction()

# typesizes_lint_boards(PRESET SOURCES...): the lint of PRESET's boards: their
# C++ sources with SOURCES for its row, given to clang-tidy with the row's
# flags that clang takes and, in their place, the include folders the row's
# compiler searches, and to cppcheck with the platform of the row's sizes (AVR's
# for a 16-bit int); their runner with the runner's library.
function(typesizes_lint_boards preset)
  typesizes_find_target(row preset ${preset})
  list(TRANSFORM row_boards APPEND /*.cpp OUTPUT_VARIABLE cpp)
  list(TRANSFORM row_boards APPEND /run.c OUTPUT_VARIABLE runner)
  file(GLOB cpp ${cpp})
  file(GLOB runner ${runner})
  if(runner)
    list(GET row_runner 0 include)
    set(include /usr/include/${include})
    set(missing "")
    if(NOT IS_DIRECTORY ${include})
      set(missing "${include} not found: install the Debian package ${row_runner_package}")
    endif()
    typesizes_lint(.${preset}.run MISSING "${missing}" FILES ${runner} TIDY -- -isystem${include} CPPCHECK -I${include})
  endif()
  if(NOT cpp)
    return()
  endif()
  find_program(compiler ${row_compiler} NO_CACHE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${compiler} ${row_flags} -E -v -x c++ /dev/null
    OUTPUT_QUIET ERROR_VARIABLE search)
  string(REGEX REPLACE ".*<...> search starts here:\n(.*)\nEnd of search list.*" "\\1" search "${search}")
  string(REGEX MATCHALL "[^\n ]+" search "${search}")
  list(TRANSFORM search PREPEND -isystem)
  list(FILTER row_flags INCLUDE REGEX "^(-m|--target=|--sysroot=)")
  get_target_property(standard typesizes-options INTERFACE_COMPILE_FEATURES)
  list(TRANSFORM standard REPLACE "^cxx_std_" "-std=c++")
  list(TRANSFORM row_boards PREPEND -I)
  set(platform unix${row_class})
  if(row_int EQUAL 2)
    set(platform avr8)
  endif()
  set(missing "")
  if(NOT compiler)
    list(JOIN row_package " " packages)
    set(missing "${row_compiler} not found: install the Debian packages ${packages}")
  endif()
  typesizes_lint(.${preset} MISSING "${missing}" FILES ${ARGN} ${cpp}
    TIDY -- ${standard} --target=${row_triplet} ${row_flags} -nostdinc ${search} ${row_boards}
    CPPCHECK --platform=${platform} ${row_boards})
endfunction()

typesizes_lint("" FILES ${sources} TIDY -p ${PROJECT_BINARY_DIR})
typesizes_read_table(${TYPESIZES_TARGETS_FILE} rows columns)
set(kinds -)
foreach(row IN LISTS rows)
  typesizes_read_row("${row}" "${columns}" field)
  if(NOT field_kind IN_LIST kinds)
    list(APPEND kinds ${field_kind})
    typesizes_lint_boards(${field_preset} ${sources})
  endif()
endforeach()
