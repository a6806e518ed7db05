# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# With .ci/foreign/g++: CMake finds no library architecture, as on Fedora.
set(CMAKE_LIBRARY_ARCHITECTURE_REGEX "$^")
