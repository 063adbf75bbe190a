// The GLX attribute lists of the window and of the float pixel buffer, each
// ended by None: pure lists, so that tests can read them.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace linux_glx {

// The window's config: a double-buffered RGBA 8/8/8/8 window with 24 depth
// bits, as the Windows window's pixel format.
std::vector<int> windowConfigAttributes();

// The two ways a GLX driver offers float pbuffer configs.
enum class FloatConfigKind { arb, nv };  // GLX_ARB_fbconfig_float, GLX_NV_float_buffer

// The kinds in the order they are tried: NVIDIA drivers take their own
// first, as on Windows; other drivers have only the ARB one.
std::vector<FloatConfigKind> floatConfigKinds(bool nvidia);

// A pbuffer config of `components` 32-bit float channels with the
// request's auxiliary buffers and double buffering, no depth.
std::vector<int> floatConfigAttributes(FloatConfigKind kind, const platform::PixelBufferRequest& request);

// The render type a context of such a config is made with.
int floatRenderType(FloatConfigKind kind);

// glXCreatePbuffer's list: the size, contents preserved.
std::vector<int> pbufferAttributes(int width, int height);

}  // namespace linux_glx
