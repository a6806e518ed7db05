# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The release notes (NEWS.md, newest release first) give the release date; the
# version is project()'s. Sets TYPESIZES_RELEASE_DATE (YYYY-MM-DD) from the
# newest "## <version> (<date>)" heading; the package tests hold that heading's
# version, which the changelogs carry, to PROJECT_VERSION.
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS.md headings REGEX "^## [^ ]+ \\([0-9]+-[0-9]+-[0-9]+\\)$")
if(NOT headings)
  message(FATAL_ERROR "NEWS.md has no release heading '## <version> (<YYYY-MM-DD>)'")
endif()
list(GET headings 0 newest)
string(REGEX REPLACE "^## [^ ]+ \\((.*)\\)$" "\\1" TYPESIZES_RELEASE_DATE "${newest}")
