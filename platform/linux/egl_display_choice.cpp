// Display choice: a GPU's EGL device when the machine has one, else Mesa's
// surfaceless platform, else whatever the default display is.
#include "platform/linux/egl_display_choice.h"

#include <EGL/eglext.h>

#include <vector>

#include "gl/GLext.h"

namespace linux_egl {

namespace {

bool clientExtension(const char* name) {
    const char* list = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    return list != nullptr && list[0] != '\0' && gl::extensionSupported(name, list);
}

EGLDisplay firstDeviceDisplay(PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay) {
    if (!clientExtension("EGL_EXT_platform_device")) return EGL_NO_DISPLAY;
    const auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    if (queryDevices == nullptr) return EGL_NO_DISPLAY;
    EGLDeviceEXT device = nullptr;
    EGLint count = 0;
    if (!queryDevices(1, &device, &count) || count < 1) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
}

EGLDisplay surfacelessDisplay(PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay) {
    if (!clientExtension("EGL_MESA_platform_surfaceless")) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

std::vector<EGLDisplay> candidateDisplays() {
    std::vector<EGLDisplay> candidates;
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay != nullptr && clientExtension("EGL_EXT_platform_base")) {
        candidates.push_back(firstDeviceDisplay(getPlatformDisplay));
        candidates.push_back(surfacelessDisplay(getPlatformDisplay));
    }
    candidates.push_back(eglGetDisplay(EGL_DEFAULT_DISPLAY));
    return candidates;
}

}  // namespace

EGLDisplay openHeadlessDisplay(std::string& failedCall) {
    failedCall = "eglGetDisplay";
    for (EGLDisplay display : candidateDisplays()) {
        if (display == EGL_NO_DISPLAY) continue;
        if (eglInitialize(display, nullptr, nullptr)) return display;
        failedCall = "eglInitialize";
    }
    return EGL_NO_DISPLAY;
}

}  // namespace linux_egl
