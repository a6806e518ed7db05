# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The packages' documents, made from the files that hold their facts: the
# copyright file and the license's name from LICENSE, the Debian and RPM
# changelogs from NEWS.md. Written at configure time, and only when their
# content changes, so a rebuild does not touch them.

# typesizes_write(FILE CONTENT): writes FILE unless it already holds CONTENT.
function(typesizes_write file content)
  if(EXISTS ${file})
    file(READ ${file} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${file} "${content}")
endfunction()

# typesizes_license(LICENSE_FILE ID_VAR HOLDER_VAR BODY_VAR): the license's SPDX
# name ("MIT" from the title "MIT License"), the copyright holder line without
# "Copyright (c)", and the text after it.
function(typesizes_license file id_var holder_var body_var)
  file(READ ${file} text)
  if(NOT text MATCHES "^([A-Za-z0-9.-]+) License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.*)$")
    message(FATAL_ERROR "${file} does not start with '<id> License', a blank line and 'Copyright (c) <holder>'")
  endif()
  set(${id_var} ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(${holder_var} ${CMAKE_MATCH_2} PARENT_SCOPE)
  set(${body_var} ${CMAKE_MATCH_3} PARENT_SCOPE)
endfunction()

# typesizes_date(YYYY-MM-DD PREFIX): sets PREFIX_epoch (seconds at 00:00 UTC
# that day), PREFIX_weekday and PREFIX_month (the English abbreviations both
# changelog formats want), PREFIX_day (two digits) and PREFIX_year.
function(typesizes_date date prefix)
  if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "'${date}' is not a YYYY-MM-DD date")
  endif()
  set(year ${CMAKE_MATCH_1})
  set(day ${CMAKE_MATCH_3})
  string(REGEX REPLACE "^0" "" month ${CMAKE_MATCH_2})
  string(REGEX REPLACE "^0" "" mday ${day})
  # Days since 1970-01-01 of a proleptic Gregorian date, counting years from
  # March so that the leap day comes last.
  set(y ${year})
  if(month LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR era "${y} / 400")
  math(EXPR yoe "${y} - ${era} * 400")
  math(EXPR doy "(153 * ((${month} + 9) % 12) + 2) / 5 + ${mday} - 1")
  math(EXPR days "${era} * 146097 + ${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy} - 719468")
  math(EXPR epoch "${days} * 86400")
  # 1970-01-01 was a Thursday.
  math(EXPR weekday "${days} % 7")
  set(names Thu Fri Sat Sun Mon Tue Wed)
  list(GET names ${weekday} weekday)
  math(EXPR month "${month} - 1")
  set(names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET names ${month} month)
  foreach(part epoch weekday month day year)
    set(${prefix}_${part} ${${part}} PARENT_SCOPE)
  endforeach()
endfunction()

# typesizes_changelogs(NEWS PACKAGE MAINTAINER DEBIAN_OUT RPM_OUT SAME_DAY_VAR):
# NEWS.md's releases ("## <version> (<date>)", then "- " items continued by
# indented lines) as a Debian changelog (native package, so no revision) and as
# the entries of an RPM %changelog (release 1, the one cpack gives).
# SAME_DAY_VAR is set TRUE when the newest release has the date of the one
# before: the changelogs carry dates only, so the newest entry is not later.
function(typesizes_changelogs news package maintainer debian_out rpm_out same_day_var)
  file(READ ${news} text)
  # Lines as list items: any ';' is kept out of the list separators.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(debian "")
  set(rpm "")
  set(trailer "")
  set(dates "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) \\(([0-9-]+)\\)$")
      set(version ${CMAKE_MATCH_1})
      list(APPEND dates ${CMAKE_MATCH_2})
      typesizes_date(${CMAKE_MATCH_2} date)
      string(APPEND debian "${trailer}${package} (${version}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${maintainer}  ${date_weekday}, ${date_day} ${date_month} ${date_year} 00:00:00 +0000\n\n")
      if(NOT rpm STREQUAL "")
        string(APPEND rpm "\n")
      endif()
      string(APPEND rpm "* ${date_weekday} ${date_month} ${date_day} ${date_year} ${maintainer} - ${version}-1\n")
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
  endforeach()
  if(trailer STREQUAL "")
    message(FATAL_ERROR "${news} has no '## <version> (<YYYY-MM-DD>)' heading")
  endif()
  set(same_day FALSE)
  list(LENGTH dates releases)
  if(releases GREATER 1)
    list(GET dates 0 newest)
    list(GET dates 1 previous)
    if(newest STREQUAL previous)
      set(same_day TRUE)
    endif()
  endif()
  set(${same_day_var} ${same_day} PARENT_SCOPE)
  string(APPEND debian "${trailer}")
  string(REGEX REPLACE "\n\n$" "\n" debian "${debian}")
  string(REPLACE "${semicolon}" ";" debian "${debian}")
  string(REPLACE "${semicolon}" ";" rpm "${rpm}")
  typesizes_write(${debian_out} "${debian}")
  typesizes_write(${rpm_out} "${rpm}")
endfunction()

# typesizes_copyright(OUT NAME ID HOLDER BODY): the Debian copyright file in
# the machine-readable format, with the license text as its own paragraph.
function(typesizes_copyright out name id holder body)
  string(REGEX REPLACE "\n+$" "" body "${body}")
  # Continuation lines start with a space; an empty line is written " .".
  string(REGEX REPLACE "\n\n" "\n.\n" body "${body}")
  string(REPLACE "\n" "\n " body "${body}")
  typesizes_write(${out}
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${name}

Files: *
Copyright: ${holder}
License: ${id}

License: ${id}
 ${body}
")
endfunction()
