// The OpenGL 1.1 entry points: one process-wide variable per function, null
// until loadOpenGL resolves it by name from the system's OpenGL library.
#pragma once

#include <string>

#include "gl/gl_types.h"

namespace gl {

#define KVX_GL_FUNCTION(ret, name, params)        \
    using PFN_##name = ret(KVX_APIENTRY*) params; \
    extern PFN_##name name;
#include "gl/gl_core_functions.inc"
#undef KVX_GL_FUNCTION

// The pixel-format chooser of the window-system library, or GDI's when the
// OpenGL library exports none. The descriptor is the platform's own record.
using PFN_ChoosePixelFormat = int(KVX_APIENTRY*)(void* deviceContext, const void* descriptor);
extern PFN_ChoosePixelFormat ChoosePixelFormat;

// How the core block reaches the system's OpenGL library; the platform
// layer provides it.
struct LibraryAccess {
    void* (*load)(const std::string& name);
    GLProc (*procAddress)(void* library, const char* name);
    void (*release)(void* library);
    // GDI's pixel-format chooser where the library exports none; null elsewhere.
    GLProc (*fallbackChoosePixelFormat)();
};

// Clears every core entry point, loads the library and resolves each name.
// Raises "Could not load OpenGL from NAME" when the library cannot be loaded.
void loadOpenGL(const std::string& libraryName, const LibraryAccess& access);

// Nulls every core entry point and frees the library.
void clearOpenGL();

}  // namespace gl
