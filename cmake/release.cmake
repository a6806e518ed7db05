# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# The release notes (NEWS.md, newest release first) give the release date; the
# version is project()'s. Sets TYPESIZES_NEWS_VERSION and TYPESIZES_RELEASE_DATE
# (YYYY-MM-DD) from the newest "## <version> (<date>)" heading, which the tests
# hold to PROJECT_VERSION.
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS.md headings REGEX "^## [^ ]+ \\([0-9]+-[0-9]+-[0-9]+\\)$")
list(GET headings 0 newest)
string(REGEX REPLACE "^## ([^ ]+) \\((.*)\\)$" "\\1;\\2" newest "${newest}")
list(GET newest 0 TYPESIZES_NEWS_VERSION)
list(GET newest 1 TYPESIZES_RELEASE_DATE)
