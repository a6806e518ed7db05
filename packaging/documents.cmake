# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The packages' documents, made from the files that hold their facts: the
# copyright file and the license's name from LICENSE, the Debian and RPM
# changelogs from NEWS.md. Written at configure time, and only when their
# content changes, so a rebuild does not touch them.

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
# that day), PREFIX_debian and PREFIX_rpm (the day as each changelog format
# writes it, in English), as date(1) gives them.
function(typesizes_date date prefix)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d ${date} "+%s;%a, %d %b %Y;%a %b %d %Y"
    OUTPUT_VARIABLE parts OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT date MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
    message(FATAL_ERROR "'${date}' is not a YYYY-MM-DD date")
  endif()
  list(POP_FRONT parts ${prefix}_epoch ${prefix}_debian ${prefix}_rpm)
  return(PROPAGATE ${prefix}_epoch ${prefix}_debian ${prefix}_rpm)
endfunction()

# typesizes_changelogs(NEWS PACKAGE MAINTAINER DEBIAN_OUT RPM_OUT):
# NEWS.md's releases ("## <version> (<date>)", then "- " items continued by
# indented lines) as a Debian changelog (native package, so no revision) and as
# the entries of an RPM %changelog (release 1, the one cpack gives).
function(typesizes_changelogs news package maintainer debian_out rpm_out)
  file(READ ${news} text)
  # Lines as list items: any ';' is kept out of the list separators.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(debian "")
  set(rpm "")
  set(trailer "")
  foreach(line IN LISTS lines)
    string(REPLACE "${semicolon}" ";" line "${line}")
    if(line MATCHES "^## ([^ ]+) \\(([0-9-]+)\\)$")
      set(version ${CMAKE_MATCH_1})
      typesizes_date(${CMAKE_MATCH_2} date)
      string(APPEND debian "${trailer}${package} (${version}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${maintainer}  ${date_debian} 00:00:00 +0000\n\n")
      string(APPEND rpm "\n* ${date_rpm} ${maintainer} - ${version}-1\n")
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
  string(REGEX REPLACE "\n\n$" "\n" debian "${debian}${trailer}")
  string(REGEX REPLACE "^\n" "" rpm "${rpm}")
  file(CONFIGURE OUTPUT ${debian_out} CONTENT "@debian@" @ONLY)
  file(CONFIGURE OUTPUT ${rpm_out} CONTENT "@rpm@" @ONLY)
endfunction()

# typesizes_copyright(OUT NAME ID HOLDER BODY): the Debian copyright file in
# the machine-readable format, with the license text as its own paragraph.
function(typesizes_copyright out name id holder body)
  string(REGEX REPLACE "\n+$" "" body "${body}")
  # Continuation lines start with a space; an empty line is written " .".
  string(REGEX REPLACE "\n\n" "\n.\n" body "${body}")
  string(REPLACE "\n" "\n " body "${body}")
  set(copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${name}

Files: *
Copyright: ${holder}
License: ${id}

License: ${id}
 ${body}
")
  file(CONFIGURE OUTPUT ${out} CONTENT "@copyright@" @ONLY)
endfunction()
