// The window and its GL context on Windows: a window of class "OpenGL" that
// only carries a double-buffered RGBA pixel format and a WGL context.
#include <windows.h>

#include "gl/GL.h"
#include "platform/platform.h"
#include "platform/viewport.h"
#include "platform/windows/wgl_window_state.h"
#include "platform/windows/window_messages.h"

namespace {

const char className[] = "OpenGL";

HWND windowHandle = nullptr;
HDC windowDC = nullptr;
HGLRC windowContext = nullptr;
HINSTANCE instanceHandle = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowMessageReply reply = windowMessageReply(message, static_cast<std::uint64_t>(lParam));
    switch (reply.action) {
        case WindowMessageAction::ignore:
            return 0;
        case WindowMessageAction::setViewport:
            platform::setViewport(reply.width, reply.height);
            return 0;
        case WindowMessageAction::postQuit:
            PostQuitMessage(0);
            return 0;
        case WindowMessageAction::passOn:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

PIXELFORMATDESCRIPTOR windowPixelFormat() {
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    descriptor.cAlphaBits = 8;
    descriptor.cDepthBits = 24;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

}  // namespace

namespace wgl_window {

HWND handle() { return windowHandle; }
HDC deviceContext() { return windowDC; }
HGLRC context() { return windowContext; }

}  // namespace wgl_window

namespace platform {

Failure createContext(int left, int top, int width, int height) {
    instanceHandle = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instanceHandle;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (RegisterClassA(&windowClass) == 0) return {"RegisterClass"};

    windowHandle = CreateWindowExA(0, className, "marlune", 0, left, top, width, height, nullptr, nullptr,
                                   instanceHandle, nullptr);
    if (windowHandle == nullptr) return {"CreateWindowEx"};

    windowDC = GetDC(windowHandle);
    if (windowDC == nullptr) return {"GetDC"};

    const PIXELFORMATDESCRIPTOR descriptor = windowPixelFormat();
    const int pixelFormat = gl::ChoosePixelFormat(windowDC, &descriptor);
    if (pixelFormat == 0) return {"ChoosePixelFormat"};
    if (!SetPixelFormat(windowDC, pixelFormat, &descriptor)) return {"SetPixelFormat"};

    // A context that cannot be made is named too, like every other step, so
    // the stop is never silent.
    windowContext = wglCreateContext(windowDC);
    if (windowContext == nullptr) return {"wglCreateContext"};
    if (!wglMakeCurrent(windowDC, windowContext)) return {"wglMakeCurrent"};

    ShowWindow(windowHandle, SW_SHOW);
    SetForegroundWindow(windowHandle);
    SetFocus(windowHandle);
    // The client area is smaller than the window; the viewport is not.
    setViewport(width, height);
    return {};
}

void releaseContext() {
    wglMakeCurrent(windowDC, nullptr);
    if (windowContext != nullptr) wglDeleteContext(windowContext);
    windowContext = nullptr;
    if (windowDC != nullptr) ReleaseDC(windowHandle, windowDC);
    windowDC = nullptr;
    if (windowHandle != nullptr) DestroyWindow(windowHandle);
    windowHandle = nullptr;
    UnregisterClassA(className, instanceHandle);
}

}  // namespace platform
