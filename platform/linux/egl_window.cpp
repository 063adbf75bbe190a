// The window context through EGL: a headless display with a
// compatibility-profile OpenGL context, current without any surface.
#include <string>

#include "gl/GLext.h"
#include "platform/float_framebuffer.h"
#include "platform/linux/egl_display.h"
#include "platform/linux/egl_display_choice.h"
#include "platform/linux/window_system.h"
#include "platform/viewport.h"

namespace linux_egl {

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;

platform::Failure createContext(int device, int width, int height) {
    const std::string missing = loadEgl();
    if (!missing.empty()) return {"dlopen", false, missing};
    std::string failedCall;
    display = openHeadlessDisplay(device, failedCall);
    if (display == EGL_NO_DISPLAY) return {failedCall};
    if (!eglBindAPI(EGL_OPENGL_API)) return {"eglBindAPI"};
    context = createCompatibilityContext(display, EGL_NO_CONTEXT);
    if (context == EGL_NO_CONTEXT) return {"eglCreateContext"};
    if (!makeCurrentWithoutSurface(display, context)) return {"eglMakeCurrent"};
    platform::setViewport(width, height);
    return {};
}

void releaseContext() {
    // Nothing was made where EGL was never opened.
    if (eglReleaseThread == nullptr) return;
    if (display != EGL_NO_DISPLAY) {
        makeCurrentWithoutSurface(display, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglTerminate(display);
    }
    eglReleaseThread();
    context = EGL_NO_CONTEXT;
    display = EGL_NO_DISPLAY;
}

// The driver's own short name where EGL can tell it, for example "swrast".
std::string driverName() {
    if (display == EGL_NO_DISPLAY) return "";
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (extensions == nullptr || !gl::extensionSupported("EGL_MESA_query_driver", extensions)) return "";
    const auto driverName =
        reinterpret_cast<PFNEGLGETDISPLAYDRIVERNAMEPROC>(eglGetProcAddress("eglGetDisplayDriverName"));
    const char* name = driverName ? driverName(display) : nullptr;
    return name ? name : "";
}

GLProc procAddress(const char* name) { return reinterpret_cast<GLProc>(eglGetProcAddress(name)); }

std::optional<std::string> extensionList() {
    if (display == EGL_NO_DISPLAY) return std::nullopt;
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (extensions == nullptr) return std::nullopt;
    return std::string(extensions);
}

const std::vector<std::string>& pixelBufferExtensionNames() {
    // What the framebuffer-object pixel buffer relies on, in place of the
    // three WGL extensions.
    static const std::vector<std::string> names = {"EGL_KHR_surfaceless_context", "GL_EXT_framebuffer_object",
                                                   "GL_ARB_texture_float"};
    return names;
}

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

const linux_window_system::WindowSystem& linux_window_system::egl() {
    static const WindowSystem system = {
        "egl",
        linux_egl::createContext,
        linux_egl::releaseContext,
        linux_egl::createPixelBuffer,
        linux_egl::makePixelBufferCurrent,
        linux_egl::releasePixelBuffer,
        float_framebuffer::framebufferDrawBuffer,
        linux_egl::driverName,
        linux_egl::procAddress,
        linux_egl::extensionList,
        linux_egl::pixelBufferExtensionNames,
    };
    return system;
}
