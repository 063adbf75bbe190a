// What --platform, --device and --list-devices ask of the platform, before
// any window opens.
#pragma once

#include "app/options/run_options.h"

// --list-devices prints the EGL devices and stops with exit code 0. A
// --device index that does not exist, --device with --platform glx, or a
// request this platform cannot honour writes one line to standard error and
// stops with exit code 2. Otherwise the request goes to the platform for
// the window the run makes.
void applyDisplayChoice(const RunOptions& options);
