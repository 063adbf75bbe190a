# What both MinGW-w64 toolchain files share: the compilers of the target
# KORVEX_MINGW_TARGET in the posix thread model (which std::thread and the
# C++17 library need), the target's own libraries and headers only, and Wine
# (KORVEX_WINE, the loader of the target's width) for ctest.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KORVEX_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVEX_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVEX_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVEX_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(KORVEX_WINE_LOADER NAMES ${KORVEX_WINE} PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KORVEX_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVEX_WINE_LOADER})
endif()
