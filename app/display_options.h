// The options that choose how the run reaches its driver: --platform
// egl|glx, --device N and --list-devices. Long forms only, exact case. A bad
// or missing value stops the run before any window opens: one line on
// standard error that names the option and what it accepts, exit code 2.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct DisplayOptions {
    platform::DisplayRequest request;
    bool listDevices = false;
};

// Moves the display options out of `parameters` into `options` and returns
// the others in order. A later occurrence overrides an earlier one.
std::vector<std::string> takeDisplayOptions(const std::vector<std::string>& parameters,
                                            DisplayOptions& options);

// --list-devices prints the EGL devices and stops with exit code 0. A
// --device index that does not exist, or a request this platform cannot
// honour, stops with exit code 2. Otherwise the request goes to the
// platform for the window the run makes.
void applyDisplayOptions(const DisplayOptions& options);
