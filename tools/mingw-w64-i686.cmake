# Cross-builds the 32-bit Windows program with MinGW-w64, for Windows XP SP3
# and later: the headers offer nothing newer than XP, and the executables'
# headers ask for subsystem and OS version 5.1, which XP loads. ctest runs
# the test programs through 32-bit Wine (in a WINEARCH=win32 prefix).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVEX_MINGW_TARGET i686-w64-mingw32)
set(KORVEX_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)

set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-Wl,--major-subsystem-version,5,--minor-subsystem-version,1,--major-os-version,5,--minor-os-version,1")
