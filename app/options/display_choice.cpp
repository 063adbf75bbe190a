#include "app/options/display_choice.h"

#include "base/console.h"
#include "base/errors.h"

namespace {

[[noreturn]] void refuse(const std::string& line) {
    writeErrorLine(line);
    throw OrderlyStop{exitcode::badOption};
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : ", ") + line;
    return text;
}

}  // namespace

void applyDisplayChoice(const RunOptions& options) {
    if (options.listDevices) {
        const platform::DeviceList list = platform::eglDevices();
        for (const std::string& device : list.devices) writeLine(device);
        if (!list.failure.empty()) writeLine("No EGL devices: " + list.failure);
        throw OrderlyStop{exitcode::success};
    }
    const platform::DisplayRequest& request = options.display;
    if (request.device >= 0 && request.windowSystem == platform::WindowSystem::glx)
        refuse(
            "--device chooses an EGL device; with --platform glx the X server's DISPLAY (and DRI_PRIME) "
            "choose the GPU");
    if (request.device >= 0) {
        const platform::DeviceList list = platform::eglDevices();
        if (static_cast<std::size_t>(request.device) >= list.devices.size())
            refuse("--device " + std::to_string(request.device) + ": no such EGL device; " +
                   (list.devices.empty() ? "there are none (" + list.failure + ")"
                                         : "there are " + joined(list.devices)));
    }
    if (!platform::requestDisplay(request))
        refuse(
            "--platform and --device choose among EGL and GLX on Linux; this build reaches its driver "
            "through WGL only");
}
