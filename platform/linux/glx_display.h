// The GLX state of the window context, shared inside the GLX window system.
#pragma once

#include "platform/linux/glx_api.h"
#include "platform/platform.h"

namespace linux_glx {

// The open display and its default screen; null before the window.
Display* display();
int screen();
// The window, its config and its context.
Window window();
GLXFBConfig windowConfig();
GLXContext windowContext();

// A compatibility context of `config`: glXCreateContextAttribsARB with no
// profile bit where GLX_ARB_create_context is offered, else
// glXCreateNewContext. Null when neither makes one.
GLXContext createCompatibilityContext(GLXFBConfig config, int renderType, GLXContext share);

// The pixel buffer's operations (glx_pbuffer.cpp).
platform::Failure createPixelBuffer(const platform::PixelBufferRequest& request);
bool makePixelBufferCurrent();
void releasePixelBuffer();
GLenum pixelBufferDrawBuffer(GLenum buffer);

}  // namespace linux_glx
