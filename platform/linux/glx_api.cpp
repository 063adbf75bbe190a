#include "platform/linux/glx_api.h"

#include "base/errors.h"
#include "platform/linux/resolve_symbol.h"

namespace linux_glx {

namespace {

const char* const x11Name = "libX11.so.6";
const char* const glName = "libGL.so.1";

Api entryPoints{};

bool resolveX11(void* library, Api& a) {
    using linux_library::resolve;
    return resolve(library, "XOpenDisplay", a.XOpenDisplay) &&
           resolve(library, "XCloseDisplay", a.XCloseDisplay) &&
           resolve(library, "XSetErrorHandler", a.XSetErrorHandler) &&
           resolve(library, "XGetErrorText", a.XGetErrorText) && resolve(library, "XSync", a.XSync) &&
           resolve(library, "XDefaultScreen", a.XDefaultScreen) &&
           resolve(library, "XRootWindow", a.XRootWindow) &&
           resolve(library, "XCreateColormap", a.XCreateColormap) &&
           resolve(library, "XFreeColormap", a.XFreeColormap) &&
           resolve(library, "XCreateWindow", a.XCreateWindow) &&
           resolve(library, "XDestroyWindow", a.XDestroyWindow) && resolve(library, "XFree", a.XFree);
}

bool resolveGlx(void* library, Api& a) {
    using linux_library::resolve;
    return resolve(library, "glXQueryVersion", a.glXQueryVersion) &&
           resolve(library, "glXQueryExtensionsString", a.glXQueryExtensionsString) &&
           resolve(library, "glXChooseFBConfig", a.glXChooseFBConfig) &&
           resolve(library, "glXGetVisualFromFBConfig", a.glXGetVisualFromFBConfig) &&
           resolve(library, "glXCreateNewContext", a.glXCreateNewContext) &&
           resolve(library, "glXMakeContextCurrent", a.glXMakeContextCurrent) &&
           resolve(library, "glXDestroyContext", a.glXDestroyContext) &&
           resolve(library, "glXCreatePbuffer", a.glXCreatePbuffer) &&
           resolve(library, "glXDestroyPbuffer", a.glXDestroyPbuffer) &&
           resolve(library, "glXGetProcAddressARB", a.glXGetProcAddressARB);
}

std::string notFound(const char* name) { return std::string(name) + " not found"; }
std::string lacksEntryPoints(const char* name) { return std::string(name) + " lacks GLX 1.3's entry points"; }

}  // namespace

Api& api() { return entryPoints; }

std::string loadApi() {
    if (entryPoints.XOpenDisplay != nullptr) return "";
    // Both libraries stay open for the process, as drivers expect.
    void* x11 = platform::loadLibrary(x11Name);
    if (x11 == nullptr) return notFound(x11Name);
    void* gl = platform::loadLibrary(glName);
    if (gl == nullptr) return notFound(glName);
    Api loaded{};
    if (!resolveX11(x11, loaded)) return std::string(x11Name) + " lacks Xlib's entry points";
    if (!resolveGlx(gl, loaded)) return lacksEntryPoints(glName);
    try {
        gl::loadOpenGL(glName, platform::libraryAccess());
    } catch (const KorvexError&) {
        return notFound(glName);
    }
    entryPoints = loaded;
    return "";
}

}  // namespace linux_glx
