// The window context and pixel buffer on Linux: a headless EGL context.
#include "platform/linux/egl_display.h"

namespace linux_egl {

namespace {
EGLDisplay display = EGL_NO_DISPLAY;
}  // namespace

EGLDisplay currentDisplay() { return display; }

}  // namespace linux_egl
