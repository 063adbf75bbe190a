#include "platform/linux/x_error_trap.h"

#include <string>

namespace linux_glx {

namespace {

struct RecordedError {
    bool pending = false;
    int code = 0;
    int request = 0;
    int minor = 0;
};

RecordedError recorded;
XErrorHandler previous = nullptr;

int recordError(Display*, XErrorEvent* event) {
    if (!recorded.pending) recorded = {true, event->error_code, event->request_code, event->minor_code};
    return 0;
}

}  // namespace

void trapErrors() {
    recorded = {};
    previous = api().XSetErrorHandler(recordError);
}

void untrapErrors() { api().XSetErrorHandler(previous); }

platform::Failure stepFailure(Display* display, const char* call, bool succeeded) {
    api().XSync(display, False);
    const RecordedError error = recorded;
    recorded = {};
    if (succeeded && !error.pending) return {};
    if (!error.pending) return {call};
    char text[256] = "";
    api().XGetErrorText(display, error.code, text, sizeof text);
    return {call, false,
            std::string(call) + " failed: " + text + ", request " + std::to_string(error.request) + "." +
                std::to_string(error.minor)};
}

}  // namespace linux_glx
