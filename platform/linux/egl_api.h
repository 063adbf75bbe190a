// The EGL entry points, opened at run time from libEGL.so.1 so that the
// binary also starts where there is no EGL (NVIDIA's legacy drivers ship
// none). Every EGL call of the backend goes through these; the headers give
// only the types, with their prototypes switched off.
#pragma once

#define EGL_EGL_PROTOTYPES 0
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <string>

namespace linux_egl {

extern PFNEGLGETPROCADDRESSPROC eglGetProcAddress;
extern PFNEGLQUERYSTRINGPROC eglQueryString;
extern PFNEGLGETDISPLAYPROC eglGetDisplay;
extern PFNEGLINITIALIZEPROC eglInitialize;
extern PFNEGLTERMINATEPROC eglTerminate;
extern PFNEGLBINDAPIPROC eglBindAPI;
extern PFNEGLCREATECONTEXTPROC eglCreateContext;
extern PFNEGLDESTROYCONTEXTPROC eglDestroyContext;
extern PFNEGLMAKECURRENTPROC eglMakeCurrent;
extern PFNEGLRELEASETHREADPROC eglReleaseThread;

// Opens the library once and resolves the entry points above. "" when they
// are there, else why not ("libEGL.so.1 not found").
std::string loadEgl();

// Whether the client extension list (no display) names `name`.
bool clientExtension(const char* name);

}  // namespace linux_egl
