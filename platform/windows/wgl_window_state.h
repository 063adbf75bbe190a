// The window, its device context and its GL context, shared by the window
// and the pixel-buffer code of the Windows backend.
#pragma once

#include <windows.h>

namespace wgl_window {

HWND handle();
HDC deviceContext();
HGLRC context();

}  // namespace wgl_window
