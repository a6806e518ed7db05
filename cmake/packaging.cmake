# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
# (stub: being rewritten)
set(CPACK_PACKAGE_CONTACT "typesizes maintainers <typesizes@example.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(target_found)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${target_deb})
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34)")
set(CPACK_STRIP_FILES ON)
include(CPack)
