# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The release's facts and the packages' documents, each from the one file that
# states it: NEWS.md's releases and LICENSE (docs/packaging.md).
cmake_policy(VERSION 3.25)

# typesizes_news(NEWS NAME MAINTAINER PREFIX): NEWS's newest release as
# PREFIX_VERSION, PREFIX_DATE (YYYY-MM-DD) and PREFIX_EPOCH (that day, 00:00
# UTC), all releases as a Debian changelog of source package NAME (PREFIX_DEBIAN)
# and as RPM %changelog entries (PREFIX_RPM); a change to NEWS configures again.
function(typesizes_news news name maintainer prefix)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${news})
  file(READ ${news} text)
  set(debian "")
  set(rpm "")
  set(trailer "")
  # Line by line without lists, which would split or join at ';', '[' and '\'.
  while(text MATCHES "^([^\n]*)\n(.*)$")
    set(text "${CMAKE_MATCH_2}")
    set(line "${CMAKE_MATCH_1}")
    if(line MATCHES "^## ([^ ]+) \\((.*)\\)$")
      set(version ${CMAKE_MATCH_1})
      set(day ${CMAKE_MATCH_2})
      execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d "${day}" "+%s;%a, %d %b %Y;%a %b %d %Y"
        OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
      if(NOT status EQUAL 0 OR NOT day MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
        message(FATAL_ERROR "'${day}' is not a YYYY-MM-DD date")
      endif()
      list(POP_FRONT date epoch debian_date rpm_date)
      if(trailer STREQUAL "")
        set(newest ${version} ${day} ${epoch})
      endif()
      string(APPEND debian "${trailer}${name} (${version}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${maintainer}  ${debian_date} 00:00:00 +0000\n\n")
      string(APPEND rpm "\n* ${rpm_date} ${maintainer} - ${version}-1\n")
    elseif(trailer STREQUAL "")
      continue() # the text before the first release
    elseif(line MATCHES "^- (.*)$")
      string(APPEND debian "  * ${CMAKE_MATCH_1}\n")
      string(APPEND rpm "- ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^  +(.*)$")
      string(APPEND debian "    ${CMAKE_MATCH_1}\n")
      string(APPEND rpm "  ${CMAKE_MATCH_1}\n")
    elseif(NOT line STREQUAL "")
      message(FATAL_ERROR "${news}: a release's notes are '- ' items and their indented continuations, not '${line}'")
    endif()
  endwhile()
  if(trailer STREQUAL "")
    message(FATAL_ERROR "${news} has no '## <version> (<YYYY-MM-DD>)' heading")
  endif()
  list(POP_FRONT newest ${prefix}_VERSION ${prefix}_DATE ${prefix}_EPOCH)
  string(REGEX REPLACE "\n\n$" "\n" ${prefix}_DEBIAN "${debian}${trailer}")
  string(REGEX REPLACE "^\n" "" ${prefix}_RPM "${rpm}")
  return(PROPAGATE ${prefix}_VERSION ${prefix}_DATE ${prefix}_EPOCH ${prefix}_DEBIAN ${prefix}_RPM)
endfunction()

# typesizes_license(LICENSE NAME COPYRIGHT ID_VAR): ID_VAR is the license's SPDX
# id ("MIT" from LICENSE's title "MIT License"); COPYRIGHT, package NAME's Debian
# copyright file in the machine-readable format, has the license as a paragraph.
function(typesizes_license file name out id_var)
  file(READ ${file} text)
  if(NOT text MATCHES "^([A-Za-z0-9.-]+) License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.*)$")
    message(FATAL_ERROR "${file} does not start with '<id> License', a blank line and 'Copyright (c) <holder>'")
  endif()
  set(${id_var} ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${name}

Files: *
Copyright: ${CMAKE_MATCH_2}
License: ${CMAKE_MATCH_1}

License: ${CMAKE_MATCH_1}
")
  # Continuation lines start with a space; an empty line is written " .".
  string(REGEX REPLACE "\n+$" "" body "${CMAKE_MATCH_3}")
  string(REPLACE "\n\n" "\n.\n" body "${body}")
  string(REPLACE "\n" "\n " body "${body}")
  file(CONFIGURE OUTPUT ${out} CONTENT "@copyright@ @body@\n" @ONLY)
endfunction()

# cmake -Dmaintainer=M -Dout=FILE -P packaging/documents.cmake: NEWS.md's Debian
# changelog (maintainer M) into FILE, for tools/distro-build.sh.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  typesizes_news(${CMAKE_CURRENT_LIST_DIR}/../NEWS.md typesizes "${maintainer}" news)
  file(WRITE ${out} "${news_DEBIAN}")
endif()
