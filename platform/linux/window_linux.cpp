// The window context on Linux: a headless EGL display with a
// compatibility-profile OpenGL context, current without any surface.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <string>

#include "gl/GL.h"
#include "platform/linux/egl_display.h"
#include "platform/linux/egl_display_choice.h"
#include "platform/platform.h"
#include "platform/viewport.h"

namespace linux_egl {

namespace {
EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
}  // namespace

EGLDisplay currentDisplay() { return display; }
EGLContext windowContext() { return context; }

EGLContext createCompatibilityContext(EGLDisplay onDisplay, EGLContext share) {
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    return eglCreateContext(onDisplay, EGL_NO_CONFIG_KHR, share, attributes);
}

bool makeCurrentWithoutSurface(EGLDisplay onDisplay, EGLContext current) {
    return eglMakeCurrent(onDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, current) == EGL_TRUE;
}

}  // namespace linux_egl

namespace platform {

Failure createContext(int, int, int width, int height) {
    using namespace linux_egl;
    // Without the core library every GL call below would go through null.
    if (gl::glGetString == nullptr) return {"dlopen"};
    std::string failedCall;
    display = openHeadlessDisplay(failedCall);
    if (display == EGL_NO_DISPLAY) return {failedCall};
    if (!eglBindAPI(EGL_OPENGL_API)) return {"eglBindAPI"};
    context = createCompatibilityContext(display, EGL_NO_CONTEXT);
    if (context == EGL_NO_CONTEXT) return {"eglCreateContext"};
    if (!makeCurrentWithoutSurface(display, context)) return {"eglMakeCurrent"};
    setViewport(width, height);
    return {};
}

void releaseContext() {
    using namespace linux_egl;
    if (display != EGL_NO_DISPLAY) {
        makeCurrentWithoutSurface(display, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglTerminate(display);
    }
    eglReleaseThread();
    context = EGL_NO_CONTEXT;
    display = EGL_NO_DISPLAY;
}

}  // namespace platform
