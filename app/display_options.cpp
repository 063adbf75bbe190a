#include "app/display_options.h"

#include "base/console.h"
#include "base/errors.h"

namespace {

[[noreturn]] void refuse(const std::string& line) {
    writeErrorLine(line);
    throw OrderlyStop{exitcode::cannotRunHere};
}

// A device index: decimal digits only, small enough for an int.
int parseDeviceIndex(const std::string& text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        refuse("--device takes a device index from --list-devices (0, 1, ...), not \"" + text + "\"");
    return std::stoi(text);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : ", ") + line;
    return text;
}

}  // namespace

std::vector<std::string> takeDisplayOptions(const std::vector<std::string>& parameters,
                                            DisplayOptions& options) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const std::string& name = parameters[i];
        if (name == "--list-devices") {
            options.listDevices = true;
            continue;
        }
        if (name != "--platform" && name != "--device") {
            rest.push_back(name);
            continue;
        }
        if (i + 1 == parameters.size())
            refuse(name == "--platform" ? "--platform needs a value: egl or glx"
                                        : "--device needs a device index from --list-devices");
        const std::string& value = parameters[++i];
        if (name == "--device") {
            options.request.device = parseDeviceIndex(value);
        } else if (value == "egl") {
            options.request.windowSystem = platform::WindowSystem::egl;
        } else if (value == "glx") {
            options.request.windowSystem = platform::WindowSystem::glx;
        } else {
            refuse("--platform takes egl or glx, not \"" + value + "\"");
        }
    }
    return rest;
}

void applyDisplayOptions(const DisplayOptions& options) {
    if (options.listDevices) {
        const platform::DeviceList list = platform::eglDevices();
        for (const std::string& device : list.devices) writeLine(device);
        if (!list.failure.empty()) writeLine("No EGL devices: " + list.failure);
        throw OrderlyStop{exitcode::success};
    }
    const platform::DisplayRequest& request = options.request;
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
