# Cross-builds the device library, the command-line tool and their tests for 64-bit Windows
# with Debian's MinGW-w64 (the posix thread model, which std::thread needs), and runs what the
# build runs (the tests' listing, ctest) under Wine:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(Z9RT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${Z9RT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${Z9RT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${Z9RT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${Z9RT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine64 package keeps its loader out of PATH.
find_program(Z9RT_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(Z9RT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${Z9RT_WINE})
endif()

# The compiler's runtime (libstdc++, libgcc, winpthreads) is linked into every program and
# into the device library's DLL, so that they run without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
