// The window and the pixel buffer on the installed platform, with the
// failure lines and the releases that follow each failed step.
#include "bench/marlune_glwindow.h"

#include "base/console.h"
#include "base/errors.h"
#include "bench/marlune_arb.h"
#include "bench/marlune_gpu.h"
#include "platform/platform.h"

namespace {

std::string failureLine(const platform::Failure& failure) {
    if (failure.unsupported) return marlune_arb::notSupportedLine(failure.name);
    return failure.line.empty() ? failure.name + " failed" : failure.line;
}

// A failed class registration leaves no window to release.
bool windowMadeBefore(const std::string& failedCall) { return failedCall != "RegisterClass"; }

// Of the pixel buffer's steps, only a missing device context takes the
// window with it; otherwise the window stays for the run's own teardown.
bool pixelBufferFailureTakesWindow(const std::string& failedCall) {
    return failedCall == "wglGetPbufferDCARB";
}

}  // namespace

bool createGLWindow(int left, int top, int width, int height) {
    const platform::Failure failure = platform::current().createContext(left, top, width, height);
    if (failure)
        stopCannotRun(failureLine(failure),
                      windowMadeBefore(failure.name) ? Release::window : Release::nothing);
    return true;
}

void killGLWindow() { platform::current().releaseContext(); }

void createPbuffer(int width, int height, int doubleBuffer, int components, int auxBuffers) {
    platform::PixelBufferRequest request{width, height, doubleBuffer, components, auxBuffers};
    request.nvidia = marlune_gpu::isNvidiaVendor(marlune_gpu::vendorString);
    // The platform has already released what it made of the pixel buffer.
    const platform::Failure failure = platform::current().createPixelBuffer(request);
    if (failure)
        stopCannotRun(failureLine(failure),
                      pixelBufferFailureTakesWindow(failure.name) ? Release::window : Release::nothing);
}

bool makePbufferCurrent() { return platform::current().makePixelBufferCurrent(); }

void destroyPbuffer() { platform::current().releasePixelBuffer(); }

GLenum pixelBufferDrawBuffer(GLenum buffer) { return platform::current().pixelBufferDrawBuffer(buffer); }

void stopCannotRun(const std::string& line, Release release) {
    if (!line.empty()) writeLine(line);
    if (release == Release::pixelBufferAndWindow) destroyPbuffer();
    if (release != Release::nothing) killGLWindow();
    throw OrderlyStop{exitcode::cannotRunHere};
}
