// OpenGL library loading on Linux: dlopen for the core block.
#include <dlfcn.h>

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

}  // namespace platform
