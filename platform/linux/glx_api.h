// The X11 and GLX entry points of the GLX window system, opened at run time
// from libX11.so.6 and libGL.so.1, so that the binary also starts where
// there is no X. They sit in one record that tests fill with fakes. GLX's
// own types and tokens are defined here, from the GLX 1.3,
// GLX_ARB_create_context, GLX_ARB_fbconfig_float and GLX_NV_float_buffer
// texts, so that no system GL header is needed.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

#include "gl/gl_types.h"

namespace linux_glx {

using GLXFBConfig = struct GLXFBConfigRecord*;
using GLXContext = struct GLXContextRecord*;
using GLXDrawable = XID;
using GLXPbuffer = XID;

namespace token {
constexpr int DOUBLEBUFFER = 5;
constexpr int AUX_BUFFERS = 7;
constexpr int RED_SIZE = 8;
constexpr int GREEN_SIZE = 9;
constexpr int BLUE_SIZE = 10;
constexpr int ALPHA_SIZE = 11;
constexpr int DEPTH_SIZE = 12;
constexpr int WINDOW_BIT = 0x1;
constexpr int PBUFFER_BIT = 0x4;
constexpr int RGBA_BIT = 0x1;
constexpr int RGBA_FLOAT_BIT_ARB = 0x4;
constexpr int DRAWABLE_TYPE = 0x8010;
constexpr int RENDER_TYPE = 0x8011;
constexpr int X_RENDERABLE = 0x8012;
constexpr int RGBA_TYPE = 0x8014;
constexpr int RGBA_FLOAT_TYPE_ARB = 0x20B9;
constexpr int FLOAT_COMPONENTS_NV = 0x20B0;
constexpr int PRESERVED_CONTENTS = 0x801B;
constexpr int PBUFFER_HEIGHT = 0x8040;
constexpr int PBUFFER_WIDTH = 0x8041;
}  // namespace token

struct Api {
    // libX11
    Display* (*XOpenDisplay)(const char* name);
    int (*XCloseDisplay)(Display* display);
    XErrorHandler (*XSetErrorHandler)(XErrorHandler handler);
    int (*XGetErrorText)(Display* display, int code, char* text, int length);
    int (*XSync)(Display* display, Bool discard);
    int (*XDefaultScreen)(Display* display);
    Window (*XRootWindow)(Display* display, int screen);
    Colormap (*XCreateColormap)(Display* display, Window window, Visual* visual, int alloc);
    int (*XFreeColormap)(Display* display, Colormap colormap);
    Window (*XCreateWindow)(Display* display, Window parent, int x, int y, unsigned width, unsigned height,
                            unsigned borderWidth, int depth, unsigned windowClass, Visual* visual,
                            unsigned long valueMask, XSetWindowAttributes* attributes);
    int (*XDestroyWindow)(Display* display, Window window);
    int (*XFree)(void* data);
    // libGL
    Bool (*glXQueryVersion)(Display* display, int* major, int* minor);
    const char* (*glXQueryExtensionsString)(Display* display, int screen);
    GLXFBConfig* (*glXChooseFBConfig)(Display* display, int screen, const int* attributes, int* count);
    XVisualInfo* (*glXGetVisualFromFBConfig)(Display* display, GLXFBConfig config);
    GLXContext (*glXCreateNewContext)(Display* display, GLXFBConfig config, int renderType, GLXContext share,
                                      Bool direct);
    Bool (*glXMakeContextCurrent)(Display* display, GLXDrawable draw, GLXDrawable read, GLXContext context);
    void (*glXDestroyContext)(Display* display, GLXContext context);
    GLXPbuffer (*glXCreatePbuffer)(Display* display, GLXFBConfig config, const int* attributes);
    void (*glXDestroyPbuffer)(Display* display, GLXPbuffer pbuffer);
    GLProc (*glXGetProcAddressARB)(const GLubyte* name);
};

// The entry points in use: empty until loadApi, or a test's fakes.
Api& api();

// Opens libX11.so.6 and libGL.so.1 and fills api(), and takes the OpenGL
// core block from libGL.so.1 too, so that GL and GLX come from one vendor
// library (NVIDIA's legacy drivers bring their own libGL, which the glvnd
// libOpenGL does not reach). Does nothing when api() already holds entry
// points. "" on success, else why not ("libX11.so.6 not found").
std::string loadApi();

// glXCreateContextAttribsARB, which GLX_ARB_create_context adds.
using CreateContextAttribs = GLXContext (*)(Display* display, GLXFBConfig config, GLXContext share,
                                            Bool direct, const int* attributes);

}  // namespace linux_glx
