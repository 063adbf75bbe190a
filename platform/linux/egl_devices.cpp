// The machine's EGL devices for --list-devices: each one's index, its DRM
// node and the name of the driver behind it where EGL tells them.
#include "gl/GLext.h"
#include "platform/linux/egl_display_choice.h"
#include "platform/platform.h"

namespace linux_egl {

namespace {

// The render node where the device has one (EGL_EXT_device_drm_render_node),
// else its primary node (EGL_EXT_device_drm); "" for a software device.
std::string drmNode(EGLDeviceEXT device) {
    const auto queryString =
        reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
    if (queryString == nullptr) return "";
    const char* extensions = queryString(device, EGL_EXTENSIONS);
    const std::string list = extensions != nullptr ? extensions : "";
    for (const auto& [extension, name] :
         {std::pair{"EGL_EXT_device_drm_render_node", EGL_DRM_RENDER_NODE_FILE_EXT},
          std::pair{"EGL_EXT_device_drm", EGL_DRM_DEVICE_FILE_EXT}}) {
        if (!gl::extensionSupported(extension, list)) continue;
        const char* file = queryString(device, name);
        if (file != nullptr && file[0] != '\0') return file;
    }
    return "";
}

// The driver's name from the device's display (EGL_MESA_query_driver); "".
std::string driverName(EGLDeviceEXT device) {
    const EGLDisplay display = deviceDisplay(device);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return "";
    std::string name;
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    const auto displayDriverName =
        reinterpret_cast<PFNEGLGETDISPLAYDRIVERNAMEPROC>(eglGetProcAddress("eglGetDisplayDriverName"));
    if (extensions != nullptr && gl::extensionSupported("EGL_MESA_query_driver", extensions) &&
        displayDriverName != nullptr) {
        const char* text = displayDriverName(display);
        if (text != nullptr) name = text;
    }
    eglTerminate(display);
    return name;
}

}  // namespace

}  // namespace linux_egl

platform::DeviceList platform::eglDevices() {
    DeviceList list;
    list.failure = linux_egl::loadEgl();
    if (!list.failure.empty()) return list;
    const std::vector<EGLDeviceEXT> devices = linux_egl::devices();
    for (std::size_t index = 0; index < devices.size(); ++index) {
        const std::string node = linux_egl::drmNode(devices[index]);
        const std::string driver = linux_egl::driverName(devices[index]);
        list.devices.push_back(std::to_string(index) + " " + (node.empty() ? "(no DRM node)" : node) +
                               (driver.empty() ? "" : " " + driver));
    }
    if (list.devices.empty()) list.failure = "EGL lists no devices here";
    return list;
}
