// One window system of the Linux backend (EGL or GLX): the operations that
// depend on how the context was reached. The Linux platform functions pass
// each call on to the window system that made the current context.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace linux_window_system {

struct WindowSystem {
    // "egl" or "glx", as the results record it.
    const char* name;
    // Opens the display (`device` is the EGL device index, -1 for the
    // first) and makes a compatibility context current with a width x
    // height viewport. On failure what was made stays for releaseContext.
    platform::Failure (*createContext)(int device, int width, int height);
    void (*releaseContext)();
    platform::Failure (*createPixelBuffer)(const platform::PixelBufferRequest& request);
    bool (*makePixelBufferCurrent)();
    void (*releasePixelBuffer)();
    GLenum (*pixelBufferDrawBuffer)(GLenum buffer);
    // The driver's own short name where the window system tells it; "".
    std::string (*driverName)();
    GLProc (*procAddress)(const char* name);
    std::optional<std::string> (*extensionList)();
    // What this window system's pixel buffer relies on, checked in place of
    // the three WGL extensions.
    const std::vector<std::string>& (*pixelBufferExtensionNames)();
};

const WindowSystem& egl();
const WindowSystem& glx();

// The window system of the current context; null when there is none.
const WindowSystem* current();

}  // namespace linux_window_system
