# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The release's facts and the packages' changelogs, from NEWS.md.

# typesizes_day(DATE VAR): VAR, the list of DATE's time (00:00 UTC) and the
# day as Debian's and RPM's changelogs write it; DATE a real YYYY-MM-DD.
function(typesizes_day date var)
  if(date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    # Days since 1970 by the Gregorian calendar, its years begun in March.
    math(EXPR year "${CMAKE_MATCH_1} - 1 + (${CMAKE_MATCH_2} + 9) / 12")
    math(EXPR epoch "(${year} * 365 + ${year} / 4 - ${year} / 100 + ${year} / 400
      + (153 * ((${CMAKE_MATCH_2} + 9) % 12) + 2) / 5 + ${CMAKE_MATCH_3} - 719469) * 86400")
  endif()
  # CMake's clock set to it: the day's names, and the date back (02-30 comes back 03-02).
  set(saved "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP day "%Y-%m-%d;%s;%a, %d %b %Y;%a %b %d %Y" UTC)
  unset(ENV{SOURCE_DATE_EPOCH})
  if(NOT saved STREQUAL "")
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
  endif()
  list(POP_FRONT day check)
  if(NOT check STREQUAL date)
    message(FATAL_ERROR "'${date}' is not a YYYY-MM-DD date")
  endif()
  set(${var} "${day}" PARENT_SCOPE)
endfunction()

# typesizes_news(NEWS MAINTAINER PREFIX): PREFIX_VERSION, _DATE, _EPOCH,
# _DEBIAN and _RPM (the changelogs) of NEWS (docs/packaging.md).
function(typesizes_news news maintainer prefix)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${news})
  file(READ ${news} text)
  string(APPEND text "\n") # a last line without its newline
  foreach(var debian rpm trailer releases)
    set(${var} "")
  endforeach()
  # Line by line without lists, which would split or join lines at ';', '[' or '\'.
  while(text MATCHES "^([^\n]*)\n(.*)$")
    set(text "${CMAKE_MATCH_2}")
    set(line "${CMAKE_MATCH_1}")
    if(line MATCHES "^## ([^ ]+) \\((.*)\\)$")
      set(version ${CMAKE_MATCH_1})
      typesizes_day("${CMAKE_MATCH_2}" day)
      list(POP_FRONT day epoch debian_day rpm_day)
      list(APPEND releases ${version} ${CMAKE_MATCH_2} ${epoch})
      # A day's later release a second later in Debian's changelog, which keeps them apart.
      string(REGEX MATCHALL "\n## [^ ]+ \\(${CMAKE_MATCH_2}\\)" older "${text}")
      list(LENGTH older second)
      string(REGEX REPLACE "^.$" "0\\0" second ${second})
      string(APPEND debian "${trailer}typesizes (${version}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${maintainer}  ${debian_day} 00:00:${second} +0000\n\n")
      string(APPEND rpm "\n* ${rpm_day} ${maintainer} - ${version}-1\n")
    elseif(releases AND line MATCHES "^(- |  ) *(.*)$")
      string(REPLACE "-" "*" item "  ${CMAKE_MATCH_1}")
      string(APPEND debian "${item}${CMAKE_MATCH_2}\n")
      string(APPEND rpm "${CMAKE_MATCH_1}${CMAKE_MATCH_2}\n")
    elseif(releases AND NOT line STREQUAL "") # text before the first release is free
      message(FATAL_ERROR "${news}: a release's notes are '- ' items and their "
        "indented continuations, not '${line}'")
    endif()
  endwhile()
  if(NOT releases)
    message(FATAL_ERROR "${news} has no '## <version> (<YYYY-MM-DD>)' heading")
  endif()
  list(POP_FRONT releases ${prefix}_VERSION ${prefix}_DATE ${prefix}_EPOCH)
  string(REGEX REPLACE "\n\n$" "\n" ${prefix}_DEBIAN "${debian}${trailer}")
  string(REGEX REPLACE "^\n" "" ${prefix}_RPM "${rpm}")
  return(PROPAGATE ${prefix}_VERSION ${prefix}_DATE ${prefix}_EPOCH
    ${prefix}_DEBIAN ${prefix}_RPM)
endfunction()
