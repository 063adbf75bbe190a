// The WGL attribute lists of the floating-point pixel buffer: one set for
// NVIDIA drivers (WGL_NV_float_buffer, rectangle target), one for every other
// vendor (WGL_ATI_pixel_format_float, 2D target). Each list is (attribute,
// value) pairs ended by 0, 0.
#pragma once

#include <vector>

struct PixelFormatRequest {
    bool nvidia = false;
    int components = 4;  // 1 to 4 float channels
    int auxBuffers = 0;
    int doubleBuffer = 0;
};

// The integer list for wglChoosePixelFormatARB.
std::vector<int> pixelFormatAttributes(const PixelFormatRequest& request);

// Any pixel-buffer format at all, whatever its colour: whether a driver
// offers one tells a driver without float formats from a broken call.
std::vector<int> plainPbufferFormatAttributes();

// The list for wglCreatePbufferARB: texture format and texture target.
std::vector<int> pbufferAttributes(bool nvidia, int components);
