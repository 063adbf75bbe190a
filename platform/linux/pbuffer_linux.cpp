// The pixel buffer on Linux: a second context that shares objects with the
// window's, holding a float framebuffer object (EGL pbuffers come only in
// half float).
#include <EGL/egl.h>

#include "platform/float_framebuffer.h"
#include "platform/linux/egl_display.h"
#include "platform/platform.h"

namespace platform {

namespace {

EGLContext pbufferContext = EGL_NO_CONTEXT;
float_framebuffer::FloatTarget target;

// Releases what was made of the pixel buffer and gives the window its
// context back; the window stays for the run's own teardown.
Failure abandon(const Failure& failure) {
    releasePixelBuffer();
    linux_egl::makeCurrentWithoutSurface(linux_egl::currentDisplay(), linux_egl::windowContext());
    return failure;
}

}  // namespace

Failure createPixelBuffer(const PixelBufferRequest& request) {
    const EGLDisplay display = linux_egl::currentDisplay();
    pbufferContext = linux_egl::createCompatibilityContext(display, linux_egl::windowContext());
    if (pbufferContext == EGL_NO_CONTEXT) return abandon({"eglCreateContext"});
    // A framebuffer object belongs to the context that makes it.
    if (!linux_egl::makeCurrentWithoutSurface(display, pbufferContext)) return abandon({"eglMakeCurrent"});
    const Failure targetFailure = float_framebuffer::createFloatTarget(
        target, request.width, request.height, request.components, 1 + request.auxBuffers);
    if (targetFailure) return abandon(targetFailure);
    if (!linux_egl::makeCurrentWithoutSurface(display, linux_egl::windowContext()))
        return abandon({"eglMakeCurrent"});
    return {};
}

bool makePixelBufferCurrent() {
    if (!linux_egl::makeCurrentWithoutSurface(linux_egl::currentDisplay(), pbufferContext)) return false;
    float_framebuffer::bindFloatTarget(target);
    return true;
}

void releasePixelBuffer() {
    const EGLDisplay display = linux_egl::currentDisplay();
    if (pbufferContext != EGL_NO_CONTEXT) {
        if (linux_egl::makeCurrentWithoutSurface(display, pbufferContext))
            float_framebuffer::releaseFloatTarget(target);
        linux_egl::makeCurrentWithoutSurface(display, EGL_NO_CONTEXT);
        eglDestroyContext(display, pbufferContext);
    }
    pbufferContext = EGL_NO_CONTEXT;
    target = float_framebuffer::FloatTarget{};
}

GLenum pixelBufferDrawBuffer(GLenum buffer) { return float_framebuffer::framebufferDrawBuffer(buffer); }

}  // namespace platform
