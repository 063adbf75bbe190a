// Display choice: a GPU's EGL device when the machine has one, else Mesa's
// surfaceless platform, else whatever the default display is.
#include "platform/linux/egl_display_choice.h"

namespace linux_egl {

namespace {

PFNEGLGETPLATFORMDISPLAYEXTPROC platformDisplayEntry() {
    if (!clientExtension("EGL_EXT_platform_base")) return nullptr;
    return reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
}

EGLDisplay surfacelessDisplay(PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay) {
    if (!clientExtension("EGL_MESA_platform_surfaceless")) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

std::vector<EGLDisplay> candidateDisplays() {
    std::vector<EGLDisplay> candidates;
    const std::vector<EGLDeviceEXT> found = devices();
    if (!found.empty()) candidates.push_back(deviceDisplay(found.front()));
    if (const auto getPlatformDisplay = platformDisplayEntry())
        candidates.push_back(surfacelessDisplay(getPlatformDisplay));
    candidates.push_back(eglGetDisplay(EGL_DEFAULT_DISPLAY));
    return candidates;
}

}  // namespace

std::vector<EGLDeviceEXT> devices() {
    if (!clientExtension("EGL_EXT_device_enumeration") && !clientExtension("EGL_EXT_device_base")) return {};
    const auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    EGLint count = 0;
    if (queryDevices == nullptr || !queryDevices(0, nullptr, &count) || count < 1) return {};
    std::vector<EGLDeviceEXT> found(static_cast<std::size_t>(count));
    if (!queryDevices(count, found.data(), &count)) return {};
    found.resize(static_cast<std::size_t>(count));
    return found;
}

EGLDisplay deviceDisplay(EGLDeviceEXT device) {
    const auto getPlatformDisplay = platformDisplayEntry();
    if (getPlatformDisplay == nullptr || !clientExtension("EGL_EXT_platform_device")) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
}

EGLDisplay openHeadlessDisplay(int device, std::string& failedCall) {
    failedCall = "eglGetDisplay";
    std::vector<EGLDisplay> candidates;
    if (device < 0) {
        candidates = candidateDisplays();
    } else {
        const std::vector<EGLDeviceEXT> found = devices();
        if (static_cast<std::size_t>(device) < found.size())
            candidates.push_back(deviceDisplay(found[device]));
    }
    for (EGLDisplay display : candidates) {
        if (display == EGL_NO_DISPLAY) continue;
        if (eglInitialize(display, nullptr, nullptr)) return display;
        failedCall = "eglInitialize";
    }
    return EGL_NO_DISPLAY;
}

}  // namespace linux_egl
