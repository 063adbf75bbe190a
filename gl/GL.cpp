#include "gl/GL.h"

#include "base/errors.h"

namespace gl {

#define KVX_GL_FUNCTION(ret, name, params) PFN_##name name = nullptr;
#include "gl/gl_core_functions.inc"
#undef KVX_GL_FUNCTION

PFN_ChoosePixelFormat ChoosePixelFormat = nullptr;

namespace {

void* libraryHandle = nullptr;
// How the library was loaded, for freeing it.
const LibraryAccess* loadedWith = nullptr;

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
    if (loadedWith != nullptr) loadedWith->release(libraryHandle);
    libraryHandle = nullptr;
    loadedWith = nullptr;
}

void loadOpenGL(const std::string& libraryName, const LibraryAccess& access) {
    clearOpenGL();
    libraryHandle = access.load(libraryName);
    if (libraryHandle == nullptr)
        throw KorvexError(ErrorKind::general, "Could not load OpenGL from " + libraryName);
    loadedWith = &access;
    for (const CoreSlot& slot : coreSlots) slot.assign(access.procAddress(libraryHandle, slot.name));
    if (ChoosePixelFormat == nullptr)
        ChoosePixelFormat = reinterpret_cast<PFN_ChoosePixelFormat>(access.fallbackChoosePixelFormat());
}

}  // namespace gl
