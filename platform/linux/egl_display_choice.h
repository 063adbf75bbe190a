// Finding a headless EGL display.
#pragma once

#include <EGL/egl.h>

#include <string>

namespace linux_egl {

// The first display that initialises, tried in this order: the first EGL
// device, Mesa's surfaceless platform, the default display. On failure it
// returns EGL_NO_DISPLAY and names the call that failed in `failedCall`.
EGLDisplay openHeadlessDisplay(std::string& failedCall);

}  // namespace linux_egl
