# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Lint, and the checks of the tools (docs/tests.md): in a native build,
# clang-format on every C and C++ source, clang-tidy and cppcheck on the
# program's and the tests' as this build compiles them, groff on the man
# page, shellcheck on every script, and tests/tools.sh; in a build whose kind
# has folders, clang-tidy and cppcheck on their sources with test.cpp as its
# compiler builds them, and on a runner of theirs (run.c) as configure does.
set(top ${PROJECT_SOURCE_DIR})

# typesizes_lint(SUFFIX [MISSING REASON] FILES... [TIDY ARG...] [CPPCHECK ARG...]):
# lint.clang-tidy and lint.cppcheck, named with SUFFIX, on FILES with the
# arguments; clang-tidy skips for REASON, what it lacks to run.
function(typesizes_lint suffix)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "MISSING" "FILES;TIDY;CPPCHECK")
  if(arg_MISSING)
    set(arg_MISSING --missing "${arg_MISSING}")
  endif()
  typesizes_test(lint.clang-tidy${suffix} lint CHECKERS clang-tidy COMMAND ${sh}/checker.sh ${arg_MISSING}
    clang-tidy --quiet --warnings-as-errors=* --header-filter=.* ${arg_FILES} ${arg_TIDY})
  typesizes_test(lint.cppcheck${suffix} lint CHECKERS cppcheck COMMAND ${sh}/checker.sh cppcheck --quiet
    --error-exitcode=1 --enable=all --inline-suppr --suppress=missingIncludeSystem ${arg_CPPCHECK} ${arg_FILES})
endfunction()

if(NOT CMAKE_CROSSCOMPILING OR row_preset STREQUAL "default")
  file(GLOB sources ${top}/*.cpp ${top}/tests/*.cpp)
  file(GLOB glue LIST_DIRECTORIES false ${TYPESIZES_KINDS}/*/*)
  list(FILTER glue INCLUDE REGEX "(\\.c|\\.cpp|/[^./]+)$") # C, C++ and headers without a suffix
  typesizes_test(lint.clang-format lint CHECKERS clang-format
    COMMAND ${sh}/checker.sh clang-format --dry-run --Werror ${sources} ${top}/cmake/probe.cpp ${glue})
  typesizes_lint("" FILES ${sources} TIDY -p ${PROJECT_BINARY_DIR})
  typesizes_lint(.probe FILES ${top}/cmake/probe.cpp TIDY -- -std=c++20)
  if(TYPESIZES_INSTALL)
    typesizes_test(lint.manpage lint CHECKERS groff
      COMMAND ${sh}/checker.sh --quiet groff -man -ww -z ${TYPESIZES_MANPAGE})
  endif()
  file(GLOB_RECURSE scripts RELATIVE ${top} ${top}/*.sh ${top}/.ci/*)
  list(FILTER scripts EXCLUDE REGEX "(^|/)build/|^\\.ci/debian|\\.cmake$")
  list(TRANSFORM scripts PREPEND ${top}/)
  typesizes_test(lint.shellcheck lint CHECKERS shellcheck COMMAND ${sh}/checker.sh shellcheck -x ${scripts})
  foreach(group presets targets ci scripts reproducible subproject builder)
    typesizes_test(tools.${group} tools COMMAND ${sh}/tools.sh ${group})
  endforeach()
endif()

if(row_folders)
  # This kind's glue as its compiler builds it, for clang-tidy with the
  # include folders that compiler searches (asked with -E -v).
  list(TRANSFORM row_folders APPEND /*.cpp OUTPUT_VARIABLE cpp)
  list(TRANSFORM row_folders APPEND /run.c OUTPUT_VARIABLE runner)
  file(GLOB cpp ${cpp})
  file(GLOB runner ${runner})
  if(runner)
    list(GET row_runner 0 include)
    set(include /usr/include/${include})
    set(missing "")
    if(NOT IS_DIRECTORY ${include})
      set(missing "${include} not found: install the Debian package ${row_runner_package}")
    endif()
    typesizes_lint(.${row_kind}.run MISSING "${missing}" FILES ${runner}
      TIDY -- -isystem${include} CPPCHECK -I${include})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${CMAKE_CXX_COMPILER} ${row_flags}
    -E -v -x c++ /dev/null OUTPUT_QUIET ERROR_VARIABLE search)
  string(REGEX REPLACE ".*<...> search starts here:\n(.*)\nEnd of search list.*" "\\1" search "${search}")
  string(REGEX MATCHALL "[^\n ]+" search "${search}")
  list(TRANSFORM search PREPEND -isystem)
  list(FILTER row_flags INCLUDE REGEX "^(-m|--target=|--sysroot=)")
  list(TRANSFORM row_folders PREPEND -I OUTPUT_VARIABLE folders)
  typesizes_lint(.${row_kind} FILES ${top}/test.cpp ${cpp}
    TIDY -- -std=c++20 --target=${row_triplet} ${row_flags} -nostdinc ${search} ${folders}
    CPPCHECK --platform=${row_lint_platform} ${folders})
endif()
