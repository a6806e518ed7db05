# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# typesizes.js and typesizes.html for browsers (docs/targets.md).
add_executable(typesizes-browser test.cpp)
target_link_libraries(typesizes-browser PRIVATE typesizes-options)
target_link_options(typesizes-browser PRIVATE -sSTANDALONE_WASM=0 -sEXIT_RUNTIME=1 -sSINGLE_FILE=1
  -sFORCE_FILESYSTEM=1)
set_target_properties(typesizes-browser PROPERTIES CXX_EXTENSIONS OFF OUTPUT_NAME typesizes SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/browser CXX_LINKER_LAUNCHER "env;NODE_PATH=/usr/share/nodejs")
add_custom_command(TARGET typesizes-browser POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:typesizes-browser> $<TARGET_FILE_DIR:typesizes>)
file(GENERATE OUTPUT $<TARGET_FILE_DIR:typesizes>/typesizes.html INPUT ${CMAKE_CURRENT_LIST_DIR}/typesizes.html)
