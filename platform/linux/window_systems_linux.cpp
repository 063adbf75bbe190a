// The Linux platform operations that depend on the window system: each one
// passes on to EGL or GLX, whichever made the current context.
#include "gl/GL.h"
#include "platform/linux/window_system.h"
#include "platform/linux/window_system_choice.h"

namespace {

platform::DisplayRequest requested;
const linux_window_system::WindowSystem* active = nullptr;

}  // namespace

const linux_window_system::WindowSystem* linux_window_system::current() { return active; }

namespace platform {

bool requestDisplay(const DisplayRequest& request) {
    requested = request;
    return true;
}

Failure createContext(int, int, int width, int height) {
    // Without the core library every GL call would go through null.
    if (gl::glGetString == nullptr) return {"dlopen"};
    using namespace linux_window_system;
    const Choice choice = makeContext(candidates(requested, egl(), glx()), requested.device, width, height);
    active = choice.chosen;
    return choice.failure;
}

void releaseContext() {
    if (active != nullptr) active->releaseContext();
    active = nullptr;
}

Failure createPixelBuffer(const PixelBufferRequest& request) {
    return active != nullptr ? active->createPixelBuffer(request) : Failure{"createPixelBuffer"};
}

bool makePixelBufferCurrent() { return active != nullptr && active->makePixelBufferCurrent(); }

void releasePixelBuffer() {
    if (active != nullptr) active->releasePixelBuffer();
}

GLenum pixelBufferDrawBuffer(GLenum buffer) {
    return active != nullptr ? active->pixelBufferDrawBuffer(buffer) : buffer;
}

std::string windowSystemName() { return active != nullptr ? active->name : ""; }

GLProc extensionProcAddress(const char* name) {
    return active != nullptr ? active->procAddress(name) : nullptr;
}

std::optional<std::string> platformExtensionList() {
    return active != nullptr ? active->extensionList() : std::nullopt;
}

const std::vector<std::string>& pixelBufferExtensionNames() {
    // Before any context, the names of the default window system.
    return (active != nullptr ? *active : linux_window_system::egl()).pixelBufferExtensionNames();
}

}  // namespace platform
