// The pixel buffer on Linux: a second context that shares objects with the
// window's, holding a float framebuffer object (EGL pbuffers come only in
// half float).
#include <EGL/egl.h>

#include <string>

#include "base/console.h"
#include "base/errors.h"
#include "bench/marlune_fbo.h"
#include "bench/marlune_glwindow.h"
#include "platform/linux/egl_display.h"

namespace {

EGLContext pbufferContext = EGL_NO_CONTEXT;
marlune_fbo::FloatTarget target;

// Releases the pixel buffer and stops the run; the window stays for the
// run's own teardown. An empty `call` means the line is already printed.
[[noreturn]] void fail(const std::string& call) {
    if (!call.empty()) writeLine(call + " failed");
    destroyPbuffer();
    linux_egl::makeCurrentWithoutSurface(linux_egl::currentDisplay(), linux_egl::windowContext());
    throw OrderlyStop{exitcode::cannotRunHere};
}

}  // namespace

void createPbuffer(int width, int height, int, int components, int auxBuffers) {
    const EGLDisplay display = linux_egl::currentDisplay();
    pbufferContext = linux_egl::createCompatibilityContext(display, linux_egl::windowContext());
    if (pbufferContext == EGL_NO_CONTEXT) fail("eglCreateContext");
    // A framebuffer object belongs to the context that makes it.
    if (!linux_egl::makeCurrentWithoutSurface(display, pbufferContext)) fail("eglMakeCurrent");
    if (!marlune_fbo::createFloatTarget(target, width, height, components, 1 + auxBuffers)) fail("");
    if (!linux_egl::makeCurrentWithoutSurface(display, linux_egl::windowContext())) fail("eglMakeCurrent");
}

bool makePbufferCurrent() {
    if (!linux_egl::makeCurrentWithoutSurface(linux_egl::currentDisplay(), pbufferContext)) return false;
    marlune_fbo::bindFloatTarget(target);
    return true;
}

void destroyPbuffer() {
    const EGLDisplay display = linux_egl::currentDisplay();
    if (pbufferContext != EGL_NO_CONTEXT) {
        if (linux_egl::makeCurrentWithoutSurface(display, pbufferContext))
            marlune_fbo::releaseFloatTarget(target);
        linux_egl::makeCurrentWithoutSurface(display, EGL_NO_CONTEXT);
        eglDestroyContext(display, pbufferContext);
    }
    pbufferContext = EGL_NO_CONTEXT;
    target = marlune_fbo::FloatTarget{};
}

GLenum pixelBufferDrawBuffer(GLenum buffer) { return marlune_fbo::framebufferDrawBuffer(buffer); }
