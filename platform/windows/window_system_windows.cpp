// Windows reaches its driver through WGL only, on the desktop's display.
#include "platform/platform.h"
#include "platform/windows/wgl_window_state.h"

namespace platform {

bool requestDisplay(const DisplayRequest& request) {
    return request.windowSystem == WindowSystem::automatic && request.device < 0;
}

DeviceList eglDevices() { return {{}, "Windows has no EGL devices: it reaches its driver through WGL"}; }

std::string windowSystemName() { return wgl_window::context() != nullptr ? "wgl" : ""; }

}  // namespace platform
