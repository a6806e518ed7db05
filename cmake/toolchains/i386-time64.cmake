# 32-bit x86 with glibc's 64-bit time_t (and the 64-bit file offsets it requires).
set(TYPESIZES_ABI i386-time64)
include(${CMAKE_CURRENT_LIST_DIR}/i386.cmake)
string(APPEND CMAKE_CXX_FLAGS_INIT " -D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64")
