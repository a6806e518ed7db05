# 32-bit x86 (i386, ILP32) with the host's g++ and its multilib support; the
# result runs natively on an x86-64 Linux host.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_CXX_FLAGS_INIT "-m32")
if(NOT DEFINED TYPESIZES_ABI)
  set(TYPESIZES_ABI i386)
endif()

# Without the 32-bit C++ runtime the compiler check fails with a page of linker
# errors; say what is missing instead.
execute_process(COMMAND g++ -m32 -print-file-name=libstdc++.so
  OUTPUT_VARIABLE libstdcxx32 OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT IS_ABSOLUTE "${libstdcxx32}" OR NOT EXISTS /usr/lib32/libc.so)
  message(FATAL_ERROR "g++ cannot build 32-bit x86 programs: install the Debian package g++-12-multilib "
    "(or g++-multilib, which cannot be installed beside the arm cross compilers)")
endif()
