// X errors as failures of the step that caused them. Xlib's own handler ends
// the process on any error, even an asynchronous one that a driver's
// drawing raises; this one only records the first, and each GLX step asks
// after it.
#pragma once

#include "platform/linux/glx_api.h"
#include "platform/platform.h"

namespace linux_glx {

// Puts the recording handler in place of the previous one, and back.
void trapErrors();
void untrapErrors();

// Waits until the server has handled every request so far, then: nothing
// when `succeeded` and no X error came; else the failure of `call`, whose
// line adds the X error's text ("glXCreatePbuffer failed: BadMatch (invalid
// parameter attributes), request 152.27"). The error is taken: the next step
// starts clean.
platform::Failure stepFailure(Display* display, const char* call, bool succeeded);

}  // namespace linux_glx
