// OpenGL library loading and extension lookup on Linux: dlopen for the core
// block, EGL for extensions and the window-system extension list.
#include <EGL/egl.h>
#include <dlfcn.h>

#include "platform/linux/egl_display.h"
#include "platform/platform.h"

namespace platform {

const std::vector<std::string>& openGLLibraryNames() {
    static const std::vector<std::string> names = {"libOpenGL.so.0", "libGL.so.1"};
    return names;
}

void* loadLibrary(const std::string& name) { return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL); }

GLProc libraryProcAddress(void* library, const char* name) {
    return reinterpret_cast<GLProc>(dlsym(library, name));
}

void freeLibrary(void* library) {
    if (library != nullptr) dlclose(library);
}

GLProc fallbackChoosePixelFormat() { return nullptr; }

GLProc extensionProcAddress(const char* name) { return reinterpret_cast<GLProc>(eglGetProcAddress(name)); }

std::optional<std::string> platformExtensionList() {
    const EGLDisplay display = linux_egl::currentDisplay();
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

}  // namespace platform
