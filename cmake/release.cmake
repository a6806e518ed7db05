# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Sets TYPESIZES_RELEASE_DATE (YYYY-MM-DD) from NEWS.md's newest (first)
# "## <version> (<date>)" heading. The version is project()'s: the package tests
# check that heading's version, which the changelogs carry, against it.
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS.md newest REGEX "^## [^ ]+ \\([0-9]+-[0-9]+-[0-9]+\\)$" LIMIT_COUNT 1)
if(NOT newest)
  message(FATAL_ERROR "NEWS.md has no release heading '## <version> (<YYYY-MM-DD>)'")
endif()
string(REGEX REPLACE "^## [^ ]+ \\((.*)\\)$" "\\1" TYPESIZES_RELEASE_DATE "${newest}")
