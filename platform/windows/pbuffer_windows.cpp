// The floating-point pixel buffer on Windows: a WGL_ARB_pbuffer with its own
// context, or, where the driver offers no float pixel format (Wine on Mesa),
// a float framebuffer object in a second context on the window's DC. Either
// context shares textures and programs with the window's.
#include <windows.h>

#include <vector>

#include "gl/GLext.h"
#include "platform/float_framebuffer.h"
#include "platform/platform.h"
#include "platform/windows/pixel_format_attributes.h"
#include "platform/windows/wgl_window_state.h"

namespace platform {

namespace {

void* pbufferHandle = nullptr;
HDC pbufferDC = nullptr;
HGLRC pbufferContext = nullptr;
// Set while the pixel buffer is the framebuffer-object stand-in.
bool onFramebuffer = false;
float_framebuffer::FloatTarget target;
const float noFloatAttributes[] = {0};

// Releases what was made of the pixel buffer and gives the window its
// context back.
Failure abandon(const Failure& failure) {
    releasePixelBuffer();
    wglMakeCurrent(wgl_window::deviceContext(), wgl_window::context());
    return failure;
}

bool shareObjectsWithWindow() { return wglShareLists(wgl_window::context(), pbufferContext); }

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

Failure createFramebufferStandIn(int width, int height, int components, int attachments) {
    const HDC windowDC = wgl_window::deviceContext();
    pbufferContext = wglCreateContext(windowDC);
    if (pbufferContext == nullptr) return abandon({"wglCreateContext"});
    onFramebuffer = true;
    if (!shareObjectsWithWindow()) return abandon({"wglShareLists"});
    // A framebuffer object belongs to the context that makes it.
    if (!wglMakeCurrent(windowDC, pbufferContext)) return abandon({"wglMakeCurrent"});
    const Failure targetFailure =
        float_framebuffer::createFloatTarget(target, width, height, components, attachments);
    if (targetFailure) return abandon(targetFailure);
    wglMakeCurrent(windowDC, wgl_window::context());
    return {};
}

}  // namespace

Failure createPixelBuffer(const PixelBufferRequest& request) {
    const HDC windowDC = wgl_window::deviceContext();
    const std::vector<int> formatAttributes =
        pixelFormatAttributes({request.nvidia, request.components, request.auxBuffers, request.doubleBuffer});
    int format = 0;
    unsigned formatCount = 0;
    const bool chosen = gl::wglChoosePixelFormatARB(windowDC, formatAttributes.data(), noFloatAttributes, 1,
                                                    &format, &formatCount);
    if (!chosen && !offersPixelBufferFormats(windowDC)) return abandon({"wglChoosePixelFormatARB"});
    if (!chosen || formatCount == 0)
        return createFramebufferStandIn(request.width, request.height, request.components,
                                        1 + request.auxBuffers);

    const std::vector<int> bufferAttributes = pbufferAttributes(request.nvidia, request.components);
    pbufferHandle =
        gl::wglCreatePbufferARB(windowDC, format, request.width, request.height, bufferAttributes.data());
    if (pbufferHandle == nullptr) return abandon({"wglCreatePbufferARB"});
    pbufferDC = static_cast<HDC>(gl::wglGetPbufferDCARB(pbufferHandle));
    if (pbufferDC == nullptr) return abandon({"wglGetPbufferDCARB"});
    pbufferContext = wglCreateContext(pbufferDC);
    if (pbufferContext == nullptr) return abandon({"wglCreateContext"});
    if (!shareObjectsWithWindow()) return abandon({"wglShareLists"});
    return {};
}

bool makePixelBufferCurrent() {
    if (!onFramebuffer) return wglMakeCurrent(pbufferDC, pbufferContext);
    if (!wglMakeCurrent(wgl_window::deviceContext(), pbufferContext)) return false;
    float_framebuffer::bindFloatTarget(target);
    return true;
}

void releasePixelBuffer() {
    if (pbufferContext != nullptr) {
        if (onFramebuffer) {
            const HDC windowDC = wgl_window::deviceContext();
            if (wglMakeCurrent(windowDC, pbufferContext)) float_framebuffer::releaseFloatTarget(target);
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
    target = float_framebuffer::FloatTarget{};
}

GLenum pixelBufferDrawBuffer(GLenum buffer) {
    return onFramebuffer ? float_framebuffer::framebufferDrawBuffer(buffer) : buffer;
}

}  // namespace platform
