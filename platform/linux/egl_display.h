// The EGL state of the window context, shared inside the EGL window system.
#pragma once

#include "platform/linux/egl_api.h"
#include "platform/platform.h"

namespace linux_egl {

// The display the window context was made on; EGL_NO_DISPLAY before that.
EGLDisplay currentDisplay();
// The window's context; EGL_NO_CONTEXT before it exists.
EGLContext windowContext();

// A compatibility-profile OpenGL context on `display` without a config,
// sharing objects with `share` (EGL_NO_CONTEXT for none).
EGLContext createCompatibilityContext(EGLDisplay display, EGLContext share);
// Makes `context` current with no surface.
bool makeCurrentWithoutSurface(EGLDisplay display, EGLContext context);

// The pixel buffer's operations (egl_pbuffer.cpp).
platform::Failure createPixelBuffer(const platform::PixelBufferRequest& request);
bool makePixelBufferCurrent();
void releasePixelBuffer();

}  // namespace linux_egl
