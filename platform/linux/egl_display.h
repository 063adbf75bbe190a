// The EGL display of the window context, shared inside the Linux backend.
#pragma once

#include <EGL/egl.h>

namespace linux_egl {

// The display the window context was made on; EGL_NO_DISPLAY before that.
EGLDisplay currentDisplay();

}  // namespace linux_egl
