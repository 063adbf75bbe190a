// OpenGL library loading and extension lookup on Windows: LoadLibraryA and
// GetProcAddress for the core block, wglGetProcAddress for extensions.
#include <windows.h>

#include "gl/GLext.h"
#include "platform/platform.h"

namespace platform {

const std::vector<std::string>& openGLLibraryNames() {
    static const std::vector<std::string> names = {"opengl32.dll"};
    return names;
}

void* loadLibrary(const std::string& name) { return LoadLibraryA(name.c_str()); }

GLProc libraryProcAddress(void* library, const char* name) {
    return reinterpret_cast<GLProc>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void freeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

GLProc fallbackChoosePixelFormat() { return reinterpret_cast<GLProc>(&::ChoosePixelFormat); }

GLProc extensionProcAddress(const char* name) { return reinterpret_cast<GLProc>(wglGetProcAddress(name)); }

std::optional<std::string> platformExtensionList() {
    gl::wglGetExtensionsStringARB = reinterpret_cast<gl::PFN_wglGetExtensionsStringARB>(
        extensionProcAddress("wglGetExtensionsStringARB"));
    if (gl::wglGetExtensionsStringARB == nullptr) return std::nullopt;
    const char* extensions = gl::wglGetExtensionsStringARB(wglGetCurrentDC());
    if (extensions == nullptr) return std::nullopt;
    return std::string(extensions);
}

const std::vector<std::string>& pixelBufferExtensionNames() {
    static const std::vector<std::string> names = {"WGL_ARB_pbuffer", "WGL_ARB_pixel_format",
                                                   "WGL_ARB_render_texture"};
    return names;
}

}  // namespace platform
