// The Windows system directory and the system's texts for Win32 error codes.
#pragma once

#include <windows.h>

#include <string>

namespace windows_system {

// The system directory without a trailing separator; raises the general
// error with the system's text for GetLastError when it cannot be had.
std::string systemDirectory();

// The system's text for a Win32 error code, without the trailing line end.
std::string errorText(DWORD error);

}  // namespace windows_system
