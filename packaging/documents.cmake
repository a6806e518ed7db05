# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The release's facts and the packages' changelogs, from NEWS.md.
cmake_policy(VERSION 3.25)

# typesizes_news(NEWS NAME MAINTAINER PREFIX): PREFIX_VERSION, _DATE, _EPOCH, _DEBIAN, _RPM (docs/packaging.md).
function(typesizes_news news name maintainer prefix)
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
      execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d "${CMAKE_MATCH_2}"
        "+%F;%s;%a, %d %b %Y;%a %b %d %Y" OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE)
      list(POP_FRONT date day epoch debian_date rpm_date)
      if(NOT day STREQUAL CMAKE_MATCH_2)
        message(FATAL_ERROR "'${CMAKE_MATCH_2}' is not a YYYY-MM-DD date")
      endif()
      list(APPEND releases ${CMAKE_MATCH_1} ${day} ${epoch})
      string(APPEND debian "${trailer}${name} (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${maintainer}  ${debian_date} 00:00:00 +0000\n\n")
      string(APPEND rpm "\n* ${rpm_date} ${maintainer} - ${CMAKE_MATCH_1}-1\n")
    elseif(releases AND line MATCHES "^(- |  ) *(.*)$")
      string(REPLACE "-" "*" item "  ${CMAKE_MATCH_1}")
      string(APPEND debian "${item}${CMAKE_MATCH_2}\n")
      string(APPEND rpm "${CMAKE_MATCH_1}${CMAKE_MATCH_2}\n")
    elseif(releases AND NOT line STREQUAL "") # text before the first release is free
      message(FATAL_ERROR "${news}: a release's notes are '- ' items and their indented continuations, not '${line}'")
    endif()
  endwhile()
  if(NOT releases)
    message(FATAL_ERROR "${news} has no '## <version> (<YYYY-MM-DD>)' heading")
  endif()
  list(POP_FRONT releases ${prefix}_VERSION ${prefix}_DATE ${prefix}_EPOCH)
  string(REGEX REPLACE "\n\n$" "\n" ${prefix}_DEBIAN "${debian}${trailer}")
  string(REGEX REPLACE "^\n" "" ${prefix}_RPM "${rpm}")
  return(PROPAGATE ${prefix}_VERSION ${prefix}_DATE ${prefix}_EPOCH ${prefix}_DEBIAN ${prefix}_RPM)
endfunction()

# cmake -Dnews=NEWS -Dmaintainer=M -Dout=FILE -P packaging/documents.cmake: NEWS's Debian changelog into FILE.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  typesizes_news(${news} typesizes "${maintainer}" news)
  file(WRITE ${out} "${news_DEBIAN}")
endif()
