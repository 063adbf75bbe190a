#include "gl/GL.h"

#include "base/errors.h"
#include "platform/platform.h"

namespace gl {

#define KVX_GL_FUNCTION(ret, name, params) PFN_##name name = nullptr;
#include "gl/gl_core_functions.inc"
#undef KVX_GL_FUNCTION

PFN_ChoosePixelFormat ChoosePixelFormat = nullptr;

namespace {

void* libraryHandle = nullptr;

struct CoreSlot {
    const char* name;
    void (*assign)(GLProc);
};

#define KVX_GL_FUNCTION(ret, name, params) {#name, [](GLProc p) { name = reinterpret_cast<PFN_##name>(p); }},
const CoreSlot coreSlots[] = {
#include "gl/gl_core_functions.inc"
    {"ChoosePixelFormat", [](GLProc p) { ChoosePixelFormat = reinterpret_cast<PFN_ChoosePixelFormat>(p); }},
};
#undef KVX_GL_FUNCTION

void nullAllSlots() {
    for (const CoreSlot& slot : coreSlots) slot.assign(nullptr);
}

}  // namespace

void clearOpenGL() {
    nullAllSlots();
    platform::freeLibrary(libraryHandle);
    libraryHandle = nullptr;
}

void loadOpenGL(const std::string& libraryName) {
    clearOpenGL();
    libraryHandle = platform::loadLibrary(libraryName);
    if (libraryHandle == nullptr)
        throw KorvexError(ErrorKind::general, "Could not load OpenGL from " + libraryName);
    for (const CoreSlot& slot : coreSlots)
        slot.assign(platform::libraryProcAddress(libraryHandle, slot.name));
    if (ChoosePixelFormat == nullptr)
        ChoosePixelFormat = reinterpret_cast<PFN_ChoosePixelFormat>(platform::fallbackChoosePixelFormat());
}

void startUp() {
    platform::maskFloatingPointExceptions();
    for (const std::string& name : platform::openGLLibraryNames()) {
        try {
            loadOpenGL(name);
            return;
        } catch (const KorvexError&) {
            // As on every platform, a missing library is not reported here:
            // the first GL call of the run then has nothing to call.
        }
    }
}

}  // namespace gl
