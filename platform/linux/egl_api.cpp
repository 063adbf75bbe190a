#include "platform/linux/egl_api.h"

#include "gl/GLext.h"
#include "platform/linux/resolve_symbol.h"

namespace linux_egl {

PFNEGLGETPROCADDRESSPROC eglGetProcAddress = nullptr;
PFNEGLQUERYSTRINGPROC eglQueryString = nullptr;
PFNEGLGETDISPLAYPROC eglGetDisplay = nullptr;
PFNEGLINITIALIZEPROC eglInitialize = nullptr;
PFNEGLTERMINATEPROC eglTerminate = nullptr;
PFNEGLBINDAPIPROC eglBindAPI = nullptr;
PFNEGLCREATECONTEXTPROC eglCreateContext = nullptr;
PFNEGLDESTROYCONTEXTPROC eglDestroyContext = nullptr;
PFNEGLMAKECURRENTPROC eglMakeCurrent = nullptr;
PFNEGLRELEASETHREADPROC eglReleaseThread = nullptr;

namespace {

const char* const libraryName = "libEGL.so.1";

std::string resolveAll(void* library) {
    using linux_library::resolve;
    const bool all = resolve(library, "eglGetProcAddress", eglGetProcAddress) &&
                     resolve(library, "eglQueryString", eglQueryString) &&
                     resolve(library, "eglGetDisplay", eglGetDisplay) &&
                     resolve(library, "eglInitialize", eglInitialize) &&
                     resolve(library, "eglTerminate", eglTerminate) &&
                     resolve(library, "eglBindAPI", eglBindAPI) &&
                     resolve(library, "eglCreateContext", eglCreateContext) &&
                     resolve(library, "eglDestroyContext", eglDestroyContext) &&
                     resolve(library, "eglMakeCurrent", eglMakeCurrent) &&
                     resolve(library, "eglReleaseThread", eglReleaseThread);
    return all ? "" : std::string(libraryName) + " lacks EGL 1.4's entry points";
}

}  // namespace

std::string loadEgl() {
    // The library stays open for the process: drivers do not expect to be
    // unloaded while their threads may still run.
    static const std::string failure = [] {
        void* library = platform::loadLibrary(libraryName);
        return library == nullptr ? std::string(libraryName) + " not found" : resolveAll(library);
    }();
    return failure;
}

bool clientExtension(const char* name) {
    const char* list = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    return list != nullptr && list[0] != '\0' && gl::extensionSupported(name, list);
}

}  // namespace linux_egl
