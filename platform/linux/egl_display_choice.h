// Finding a headless EGL display, and the machine's EGL devices.
#pragma once

#include <string>
#include <vector>

#include "platform/linux/egl_api.h"

namespace linux_egl {

// The EGL devices (EGL_EXT_device_enumeration); empty where EGL cannot
// list them.
std::vector<EGLDeviceEXT> devices();

// With `device` -1, the first display that initialises, tried in this
// order: the first EGL device, Mesa's surfaceless platform, the default
// display. With a device index, that device's display only. On failure it
// returns EGL_NO_DISPLAY and names the call that failed in `failedCall`.
EGLDisplay openHeadlessDisplay(int device, std::string& failedCall);

// The device's display, EGL_NO_DISPLAY where there is none.
EGLDisplay deviceDisplay(EGLDeviceEXT device);

}  // namespace linux_egl
