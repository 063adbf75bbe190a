// The window, its device context and its GL context, shared by the window
// and the pixel-buffer code of the Windows backend.
#pragma once

#include <windows.h>

namespace wgl_window {

HWND handle();
HDC deviceContext();
HGLRC context();

}  // namespace wgl_window

// Prints `line` (unless null) and ends the run with the orderly stop for a
// machine that cannot run the test; with `tearDownWindow` the window goes
// first.
[[noreturn]] void stopCreatingContext(const char* line, bool tearDownWindow);
