// The pixel buffer through GLX, made as on Windows: a pbuffer of a float
// config with its own context, or, where the driver offers no float config
// (Mesa lists GLX_ARB_fbconfig_float but has none), the float framebuffer
// object in a second context on the window. Either context shares textures
// and programs with the window's. Configs are counted: an extension in the
// list does not mean a config exists.
#include "platform/float_framebuffer.h"
#include "platform/linux/glx_config_attributes.h"
#include "platform/linux/glx_display.h"
#include "platform/linux/x_error_trap.h"

namespace linux_glx {

namespace {

GLXPbuffer pbuffer = 0;
GLXContext pbufferContext = nullptr;
// Set while the pixel buffer is the framebuffer-object stand-in.
bool onFramebuffer = false;
float_framebuffer::FloatTarget target;

struct FloatConfig {
    GLXFBConfig config = nullptr;
    int renderType = 0;
};

// The first config of the first kind that has one; none when no kind has.
FloatConfig chooseFloatConfig(const platform::PixelBufferRequest& request) {
    for (const FloatConfigKind kind : floatConfigKinds(request.nvidia)) {
        const std::vector<int> attributes = floatConfigAttributes(kind, request);
        int count = 0;
        GLXFBConfig* configs = api().glXChooseFBConfig(display(), screen(), attributes.data(), &count);
        FloatConfig found;
        if (configs != nullptr && count > 0) found = {configs[0], floatRenderType(kind)};
        if (configs != nullptr) api().XFree(configs);
        // A driver that does not know the kind's attribute may answer with
        // an X error: that too means no config of this kind.
        stepFailure(display(), "glXChooseFBConfig", true);
        if (found.config != nullptr) return found;
    }
    return {};
}

bool makeCurrent(GLXDrawable drawable, GLXContext context) {
    return api().glXMakeContextCurrent(display(), drawable, drawable, context);
}

// Releases what was made of the pixel buffer and gives the window its
// context back; the window stays for the run's own teardown.
platform::Failure abandon(const platform::Failure& failure) {
    releasePixelBuffer();
    makeCurrent(window(), windowContext());
    return failure;
}

platform::Failure createFramebufferStandIn(const platform::PixelBufferRequest& request) {
    pbufferContext = createCompatibilityContext(windowConfig(), token::RGBA_TYPE, windowContext());
    if (const platform::Failure failure =
            stepFailure(display(), "glXCreateNewContext", pbufferContext != nullptr))
        return abandon(failure);
    onFramebuffer = true;
    // A framebuffer object belongs to the context that makes it.
    const bool current = makeCurrent(window(), pbufferContext);
    if (const platform::Failure failure = stepFailure(display(), "glXMakeContextCurrent", current))
        return abandon(failure);
    const platform::Failure targetFailure = float_framebuffer::createFloatTarget(
        target, request.width, request.height, request.components, 1 + request.auxBuffers);
    if (targetFailure) return abandon(targetFailure);
    makeCurrent(window(), windowContext());
    return {};
}

}  // namespace

platform::Failure createPixelBuffer(const platform::PixelBufferRequest& request) {
    const FloatConfig found = chooseFloatConfig(request);
    if (found.config == nullptr) return createFramebufferStandIn(request);
    const std::vector<int> attributes = pbufferAttributes(request.width, request.height);
    pbuffer = api().glXCreatePbuffer(display(), found.config, attributes.data());
    if (const platform::Failure failure = stepFailure(display(), "glXCreatePbuffer", pbuffer != 0))
        return abandon(failure);
    pbufferContext = createCompatibilityContext(found.config, found.renderType, windowContext());
    if (const platform::Failure failure =
            stepFailure(display(), "glXCreateNewContext", pbufferContext != nullptr))
        return abandon(failure);
    return {};
}

bool makePixelBufferCurrent() {
    const bool current = makeCurrent(onFramebuffer ? window() : pbuffer, pbufferContext);
    if (stepFailure(display(), "glXMakeContextCurrent", current)) return false;
    if (onFramebuffer) float_framebuffer::bindFloatTarget(target);
    return true;
}

void releasePixelBuffer() {
    if (pbufferContext != nullptr) {
        if (onFramebuffer && makeCurrent(window(), pbufferContext))
            float_framebuffer::releaseFloatTarget(target);
        api().glXMakeContextCurrent(display(), None, None, nullptr);
        api().glXDestroyContext(display(), pbufferContext);
    }
    if (pbuffer != 0) api().glXDestroyPbuffer(display(), pbuffer);
    pbuffer = 0;
    pbufferContext = nullptr;
    onFramebuffer = false;
    target = float_framebuffer::FloatTarget{};
}

GLenum pixelBufferDrawBuffer(GLenum buffer) {
    return onFramebuffer ? float_framebuffer::framebufferDrawBuffer(buffer) : buffer;
}

}  // namespace linux_glx
