#include "platform/linux/glx_config_attributes.h"

#include "platform/linux/glx_api.h"

namespace linux_glx {

namespace {

int channelBits(int components, int channel) { return components > channel ? 32 : 0; }

}  // namespace

std::vector<int> windowConfigAttributes() {
    using namespace token;
    return {RENDER_TYPE, RGBA_BIT, DRAWABLE_TYPE, WINDOW_BIT, X_RENDERABLE, True, DOUBLEBUFFER, True,
            RED_SIZE,    8,        GREEN_SIZE,    8,          BLUE_SIZE,    8,    ALPHA_SIZE,   8,
            DEPTH_SIZE,  24,       None};
}

std::vector<FloatConfigKind> floatConfigKinds(bool nvidia) {
    if (nvidia) return {FloatConfigKind::nv, FloatConfigKind::arb};
    return {FloatConfigKind::arb};
}

std::vector<int> floatConfigAttributes(FloatConfigKind kind, const platform::PixelBufferRequest& request) {
    using namespace token;
    const int c = request.components;
    std::vector<int> list;
    if (kind == FloatConfigKind::nv)
        list = {RENDER_TYPE, RGBA_BIT, FLOAT_COMPONENTS_NV, True};
    else
        list = {RENDER_TYPE, RGBA_FLOAT_BIT_ARB};
    list.insert(list.end(),
                {DRAWABLE_TYPE, PBUFFER_BIT, RED_SIZE, 32, GREEN_SIZE, channelBits(c, 1), BLUE_SIZE,
                 channelBits(c, 2), ALPHA_SIZE, channelBits(c, 3), DEPTH_SIZE, 0, AUX_BUFFERS,
                 request.auxBuffers, DOUBLEBUFFER, request.doubleBuffer != 0 ? True : False, None});
    return list;
}

int floatRenderType(FloatConfigKind kind) {
    return kind == FloatConfigKind::nv ? token::RGBA_TYPE : token::RGBA_FLOAT_TYPE_ARB;
}

std::vector<int> pbufferAttributes(int width, int height) {
    return {
        token::PBUFFER_WIDTH, width, token::PBUFFER_HEIGHT, height, token::PRESERVED_CONTENTS, True, None};
}

}  // namespace linux_glx
