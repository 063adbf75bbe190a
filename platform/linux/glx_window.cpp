// The window context through GLX: a 512x768 X window that is never mapped,
// on the display that DISPLAY names, with a compatibility context.
#include <cstdlib>
#include <string>

#include "gl/GLext.h"
#include "platform/linux/glx_config_attributes.h"
#include "platform/linux/glx_display.h"
#include "platform/linux/window_system.h"
#include "platform/linux/x_error_trap.h"
#include "platform/viewport.h"

namespace linux_glx {

namespace {

Display* openDisplay = nullptr;
int defaultScreen = 0;
GLXFBConfig config = nullptr;
Colormap colormap = 0;
Window xWindow = 0;
GLXContext context = nullptr;

std::string displayFailureLine() {
    const char* name = std::getenv("DISPLAY");
    const bool unset = name == nullptr || name[0] == '\0';
    return "cannot open display \"" + std::string(unset ? "" : name) + "\"" +
           (unset ? " (DISPLAY is not set)" : "");
}

bool hasGlx13() {
    int major = 0, minor = 0;
    return api().glXQueryVersion(openDisplay, &major, &minor) && (major > 1 || (major == 1 && minor >= 3));
}

GLXFBConfig chooseWindowConfig() {
    const std::vector<int> attributes = windowConfigAttributes();
    int count = 0;
    GLXFBConfig* configs = api().glXChooseFBConfig(openDisplay, defaultScreen, attributes.data(), &count);
    const GLXFBConfig chosen = configs != nullptr && count > 0 ? configs[0] : nullptr;
    if (configs != nullptr) api().XFree(configs);
    return chosen;
}

// The unmapped window of the config's visual; 0 when X made none.
Window createWindow(int width, int height) {
    XVisualInfo* visual = api().glXGetVisualFromFBConfig(openDisplay, config);
    if (visual == nullptr) return 0;
    const Window root = api().XRootWindow(openDisplay, defaultScreen);
    colormap = api().XCreateColormap(openDisplay, root, visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = colormap;
    const Window made = api().XCreateWindow(openDisplay, root, 0, 0, static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 0, visual->depth, InputOutput,
                                            visual->visual, CWColormap | CWBorderPixel, &attributes);
    api().XFree(visual);
    return made;
}

platform::Failure createContext(int, int width, int height) {
    const std::string missing = loadApi();
    if (!missing.empty()) return {"dlopen", false, missing};
    openDisplay = api().XOpenDisplay(nullptr);
    if (openDisplay == nullptr) return {"XOpenDisplay", false, displayFailureLine()};
    trapErrors();
    defaultScreen = api().XDefaultScreen(openDisplay);
    if (const platform::Failure failure = stepFailure(openDisplay, "glXQueryVersion", hasGlx13()))
        return failure;
    config = chooseWindowConfig();
    if (const platform::Failure failure = stepFailure(openDisplay, "glXChooseFBConfig", config != nullptr))
        return failure;
    xWindow = createWindow(width, height);
    if (const platform::Failure failure = stepFailure(openDisplay, "XCreateWindow", xWindow != 0))
        return failure;
    context = createCompatibilityContext(config, token::RGBA_TYPE, nullptr);
    if (const platform::Failure failure = stepFailure(openDisplay, "glXCreateNewContext", context != nullptr))
        return failure;
    const bool current = api().glXMakeContextCurrent(openDisplay, xWindow, xWindow, context);
    if (const platform::Failure failure = stepFailure(openDisplay, "glXMakeContextCurrent", current))
        return failure;
    platform::setViewport(width, height);
    return {};
}

void releaseContext() {
    if (openDisplay != nullptr) {
        api().glXMakeContextCurrent(openDisplay, None, None, nullptr);
        if (context != nullptr) api().glXDestroyContext(openDisplay, context);
        if (xWindow != 0) api().XDestroyWindow(openDisplay, xWindow);
        if (colormap != 0) api().XFreeColormap(openDisplay, colormap);
        api().XSync(openDisplay, False);
        untrapErrors();
        api().XCloseDisplay(openDisplay);
    }
    openDisplay = nullptr;
    config = nullptr;
    colormap = 0;
    xWindow = 0;
    context = nullptr;
}

std::string driverName() { return ""; }

GLProc procAddress(const char* name) {
    return api().glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

std::optional<std::string> extensionList() {
    if (openDisplay == nullptr) return std::nullopt;
    const char* extensions = api().glXQueryExtensionsString(openDisplay, defaultScreen);
    if (extensions == nullptr) return std::nullopt;
    return std::string(extensions);
}

const std::vector<std::string>& pixelBufferExtensionNames() {
    // The GLX pbuffer, and what the framebuffer stand-in relies on where
    // the driver offers no float config.
    static const std::vector<std::string> names = {"GLX_SGIX_pbuffer", "GL_EXT_framebuffer_object",
                                                   "GL_ARB_texture_float"};
    return names;
}

}  // namespace

Display* display() { return openDisplay; }
int screen() { return defaultScreen; }
Window window() { return xWindow; }
GLXFBConfig windowConfig() { return config; }
GLXContext windowContext() { return context; }

GLXContext createCompatibilityContext(GLXFBConfig ofConfig, int renderType, GLXContext share) {
    const char* extensions = api().glXQueryExtensionsString(openDisplay, defaultScreen);
    const auto createWithAttributes =
        extensions != nullptr && gl::extensionSupported("GLX_ARB_create_context", extensions)
            ? reinterpret_cast<CreateContextAttribs>(
                  api().glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")))
            : nullptr;
    if (createWithAttributes != nullptr) {
        const int attributes[] = {token::RENDER_TYPE, renderType, None};
        const GLXContext made = createWithAttributes(openDisplay, ofConfig, share, True, attributes);
        // A refusal (an X error) leaves the older call to try.
        if (!stepFailure(openDisplay, "glXCreateContextAttribsARB", made != nullptr)) return made;
    }
    return api().glXCreateNewContext(openDisplay, ofConfig, renderType, share, True);
}

}  // namespace linux_glx

const linux_window_system::WindowSystem& linux_window_system::glx() {
    static const WindowSystem system = {
        "glx",
        linux_glx::createContext,
        linux_glx::releaseContext,
        linux_glx::createPixelBuffer,
        linux_glx::makePixelBufferCurrent,
        linux_glx::releasePixelBuffer,
        linux_glx::pixelBufferDrawBuffer,
        linux_glx::driverName,
        linux_glx::procAddress,
        linux_glx::extensionList,
        linux_glx::pixelBufferExtensionNames,
    };
    return system;
}
