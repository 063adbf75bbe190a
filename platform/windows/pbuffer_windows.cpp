// The floating-point pixel buffer on Windows: a WGL_ARB_pbuffer with its own
// context, or, where the driver offers no float pixel format (Wine on Mesa),
// a float framebuffer object in a second context on the window's DC. Either
// context shares textures and programs with the window's.
#include <windows.h>

#include <vector>

#include "bench/marlune_fbo.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "bench/marlune_pbuffer_attributes.h"
#include "gl/GLext.h"
#include "platform/windows/wgl_window_state.h"

namespace {

void* pbufferHandle = nullptr;
HDC pbufferDC = nullptr;
HGLRC pbufferContext = nullptr;
// Set while the pixel buffer is the framebuffer-object stand-in.
bool onFramebuffer = false;
marlune_fbo::FloatTarget target;
const float noFloatAttributes[] = {0};

// Releases what was made of the pixel buffer, gives the window its context
// back, and stops; the window itself goes only where `tearDownWindow` says.
// A null `line` has been printed already.
[[noreturn]] void fail(const char* line, bool tearDownWindow) {
    destroyPbuffer();
    wglMakeCurrent(wgl_window::deviceContext(), wgl_window::context());
    stopCreatingContext(line, tearDownWindow);
}

void shareObjectsWithWindow() {
    if (!wglShareLists(wgl_window::context(), pbufferContext)) fail("wglShareLists failed", false);
}

// Whether the driver offers any pixel-buffer format. Wine reports a float
// request that matches nothing as a failed call; a driver that still offers
// plain formats has merely no float one.
bool offersPixelBufferFormats(HDC deviceContext) {
    const std::vector<int> attributes = plainPbufferFormatAttributes();
    int format = 0;
    unsigned formatCount = 0;
    return gl::wglChoosePixelFormatARB(deviceContext, attributes.data(), noFloatAttributes, 1, &format,
                                       &formatCount) &&
           formatCount > 0;
}

void createFramebufferStandIn(int width, int height, int components, int attachments) {
    const HDC windowDC = wgl_window::deviceContext();
    pbufferContext = wglCreateContext(windowDC);
    if (pbufferContext == nullptr) fail("wglCreateContext failed", false);
    onFramebuffer = true;
    shareObjectsWithWindow();
    // A framebuffer object belongs to the context that makes it.
    if (!wglMakeCurrent(windowDC, pbufferContext)) fail("wglMakeCurrent failed", false);
    if (!marlune_fbo::createFloatTarget(target, width, height, components, attachments)) fail(nullptr, false);
    wglMakeCurrent(windowDC, wgl_window::context());
}

}  // namespace

void createPbuffer(int width, int height, int doubleBuffer, int components, int auxBuffers) {
    const HDC windowDC = wgl_window::deviceContext();
    const bool nvidia = marlune_gpu::isNvidiaVendor(marlune_gpu::vendorString);
    const std::vector<int> formatAttributes =
        pixelFormatAttributes({nvidia, components, auxBuffers, doubleBuffer});
    int format = 0;
    unsigned formatCount = 0;
    const bool chosen = gl::wglChoosePixelFormatARB(windowDC, formatAttributes.data(), noFloatAttributes, 1,
                                                    &format, &formatCount);
    if (!chosen && !offersPixelBufferFormats(windowDC)) fail("wglChoosePixelFormatARB failed", false);
    if (!chosen || formatCount == 0) {
        createFramebufferStandIn(width, height, components, 1 + auxBuffers);
        return;
    }

    const std::vector<int> bufferAttributes = pbufferAttributes(nvidia, components);
    pbufferHandle = gl::wglCreatePbufferARB(windowDC, format, width, height, bufferAttributes.data());
    if (pbufferHandle == nullptr) fail("wglCreatePbufferARB failed", false);
    pbufferDC = static_cast<HDC>(gl::wglGetPbufferDCARB(pbufferHandle));
    if (pbufferDC == nullptr) fail("wglGetPbufferDCARB failed", true);
    pbufferContext = wglCreateContext(pbufferDC);
    if (pbufferContext == nullptr) fail("wglCreateContext failed", false);
    shareObjectsWithWindow();
}

bool makePbufferCurrent() {
    if (!onFramebuffer) return wglMakeCurrent(pbufferDC, pbufferContext);
    if (!wglMakeCurrent(wgl_window::deviceContext(), pbufferContext)) return false;
    marlune_fbo::bindFloatTarget(target);
    return true;
}

void destroyPbuffer() {
    if (pbufferContext != nullptr) {
        if (onFramebuffer) {
            const HDC windowDC = wgl_window::deviceContext();
            if (wglMakeCurrent(windowDC, pbufferContext)) marlune_fbo::releaseFloatTarget(target);
            wglMakeCurrent(windowDC, nullptr);
        } else {
            wglMakeCurrent(pbufferDC, nullptr);
        }
        wglDeleteContext(pbufferContext);
    }
    if (pbufferDC != nullptr) gl::wglReleasePbufferDCARB(pbufferHandle, pbufferDC);
    if (pbufferHandle != nullptr) gl::wglDestroyPbufferARB(pbufferHandle);
    pbufferHandle = nullptr;
    pbufferDC = nullptr;
    pbufferContext = nullptr;
    onFramebuffer = false;
    target = marlune_fbo::FloatTarget{};
}

GLenum pixelBufferDrawBuffer(GLenum buffer) {
    return onFramebuffer ? marlune_fbo::framebufferDrawBuffer(buffer) : buffer;
}
