// The pixel buffer through EGL: a second context that shares objects with
// the window's, holding a float framebuffer object (EGL pbuffers come only
// in half float).
#include "platform/float_framebuffer.h"
#include "platform/linux/egl_display.h"

namespace linux_egl {

namespace {

EGLContext pbufferContext = EGL_NO_CONTEXT;
float_framebuffer::FloatTarget target;

// Releases what was made of the pixel buffer and gives the window its
// context back; the window stays for the run's own teardown.
platform::Failure abandon(const platform::Failure& failure) {
    releasePixelBuffer();
    makeCurrentWithoutSurface(currentDisplay(), windowContext());
    return failure;
}

}  // namespace

platform::Failure createPixelBuffer(const platform::PixelBufferRequest& request) {
    const EGLDisplay display = currentDisplay();
    pbufferContext = createCompatibilityContext(display, windowContext());
    if (pbufferContext == EGL_NO_CONTEXT) return abandon({"eglCreateContext"});
    // A framebuffer object belongs to the context that makes it.
    if (!makeCurrentWithoutSurface(display, pbufferContext)) return abandon({"eglMakeCurrent"});
    const platform::Failure targetFailure = float_framebuffer::createFloatTarget(
        target, request.width, request.height, request.components, 1 + request.auxBuffers);
    if (targetFailure) return abandon(targetFailure);
    if (!makeCurrentWithoutSurface(display, windowContext())) return abandon({"eglMakeCurrent"});
    return {};
}

bool makePixelBufferCurrent() {
    if (!makeCurrentWithoutSurface(currentDisplay(), pbufferContext)) return false;
    float_framebuffer::bindFloatTarget(target);
    return true;
}

void releasePixelBuffer() {
    const EGLDisplay display = currentDisplay();
    if (pbufferContext != EGL_NO_CONTEXT) {
        if (makeCurrentWithoutSurface(display, pbufferContext)) float_framebuffer::releaseFloatTarget(target);
        makeCurrentWithoutSurface(display, EGL_NO_CONTEXT);
        eglDestroyContext(display, pbufferContext);
    }
    pbufferContext = EGL_NO_CONTEXT;
    target = float_framebuffer::FloatTarget{};
}

}  // namespace linux_egl
