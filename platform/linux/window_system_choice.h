// Which window system makes the context: the one asked for, or EGL where it
// gives a compatibility context and GLX otherwise. Pure: the window systems
// come in as values, so tests can pass their own.
#pragma once

#include <vector>

#include "platform/linux/window_system.h"

namespace linux_window_system {

// The window systems a request tries, in order: the one named, or EGL then
// GLX. A chosen device belongs to EGL, so it leaves EGL alone.
std::vector<const WindowSystem*> candidates(const platform::DisplayRequest& request, const WindowSystem& egl,
                                            const WindowSystem& glx);

struct Choice {
    const WindowSystem* chosen = nullptr;  // null when every candidate failed
    platform::Failure failure;
};

// Tries each candidate in turn, releasing what a failed one made, until one
// makes its context. A lone candidate's failure comes back as it is; when
// several fail, one line names each one's reason:
// "EGL: libEGL.so.1 not found; GLX: cannot open display "" (DISPLAY is not set)".
Choice makeContext(const std::vector<const WindowSystem*>& candidates, int device, int width, int height);

}  // namespace linux_window_system
