# Cross-builds the 64-bit Windows program with MinGW-w64. When Wine is found,
# ctest runs the Windows test programs through it.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVEX_MINGW_TARGET x86_64-w64-mingw32)
set(KORVEX_WINE wine64 wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)
