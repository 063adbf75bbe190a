#include "platform/windows/pixel_format_attributes.h"

#include <initializer_list>

namespace {

constexpr int WGL_ACCELERATION_ARB = 0x2003;
constexpr int WGL_SUPPORT_OPENGL_ARB = 0x2010;
constexpr int WGL_DOUBLE_BUFFER_ARB = 0x2011;
constexpr int WGL_PIXEL_TYPE_ARB = 0x2013;
constexpr int WGL_COLOR_BITS_ARB = 0x2014;
constexpr int WGL_RED_BITS_ARB = 0x2015;
constexpr int WGL_GREEN_BITS_ARB = 0x2017;
constexpr int WGL_BLUE_BITS_ARB = 0x2019;
constexpr int WGL_ALPHA_BITS_ARB = 0x201B;
constexpr int WGL_DEPTH_BITS_ARB = 0x2022;
constexpr int WGL_AUX_BUFFERS_ARB = 0x2024;
constexpr int WGL_FULL_ACCELERATION_ARB = 0x2027;
constexpr int WGL_DRAW_TO_PBUFFER_ARB = 0x202D;
constexpr int WGL_BIND_TO_TEXTURE_RGBA_ARB = 0x2071;
constexpr int WGL_TEXTURE_FORMAT_ARB = 0x2072;
constexpr int WGL_TEXTURE_TARGET_ARB = 0x2073;
constexpr int WGL_TEXTURE_RGBA_ARB = 0x2076;
constexpr int WGL_TEXTURE_2D_ARB = 0x207A;
constexpr int WGL_TEXTURE_RECTANGLE_NV = 0x20A2;
constexpr int WGL_FLOAT_COMPONENTS_NV = 0x20B0;
constexpr int WGL_TYPE_RGBA_FLOAT_ATI = 0x21A0;

// Indexed by the component count; the entry for 0 holds 0.
constexpr int nvidiaBindAttribute[5] = {0, 0x20B1, 0x20B2, 0x20B3, 0x20B4};
constexpr int nvidiaTextureFormat[5] = {0, 0x20B5, 0x20B6, 0x20B7, 0x20B8};

// A count outside the tables reads their empty entry rather than past them.
int byComponents(const int (&table)[5], int components) {
    return components >= 0 && components <= 4 ? table[components] : 0;
}

int channelBits(int components, int channel) { return components > channel ? 32 : 0; }

struct Attribute {
    int name;
    int value;
};

// The pairs in order, then the terminating 0, 0.
std::vector<int> flatten(std::initializer_list<Attribute> attributes) {
    std::vector<int> list;
    for (const Attribute& attribute : attributes) list.insert(list.end(), {attribute.name, attribute.value});
    list.insert(list.end(), {0, 0});
    return list;
}

}  // namespace

std::vector<int> pixelFormatAttributes(const PixelFormatRequest& request) {
    const int c = request.components;
    const Attribute vendorFirst =
        request.nvidia ? Attribute{WGL_FLOAT_COMPONENTS_NV, 1} : Attribute{WGL_BIND_TO_TEXTURE_RGBA_ARB, 1};
    const Attribute vendorSecond = request.nvidia ? Attribute{byComponents(nvidiaBindAttribute, c), 1}
                                                  : Attribute{WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_FLOAT_ATI};
    return flatten({
        vendorFirst,
        vendorSecond,
        {WGL_SUPPORT_OPENGL_ARB, 1},
        {WGL_DRAW_TO_PBUFFER_ARB, 1},
        {WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB},
        {WGL_COLOR_BITS_ARB, 32 * c},
        {WGL_RED_BITS_ARB, 32},
        {WGL_GREEN_BITS_ARB, channelBits(c, 1)},
        {WGL_BLUE_BITS_ARB, channelBits(c, 2)},
        {WGL_ALPHA_BITS_ARB, channelBits(c, 3)},
        {WGL_DEPTH_BITS_ARB, 0},
        {WGL_AUX_BUFFERS_ARB, request.auxBuffers},
        {WGL_DOUBLE_BUFFER_ARB, request.doubleBuffer},
    });
}

std::vector<int> plainPbufferFormatAttributes() {
    return flatten({
        {WGL_SUPPORT_OPENGL_ARB, 1},
        {WGL_DRAW_TO_PBUFFER_ARB, 1},
    });
}

std::vector<int> pbufferAttributes(bool nvidia, int components) {
    if (nvidia)
        return flatten({
            {WGL_TEXTURE_FORMAT_ARB, byComponents(nvidiaTextureFormat, components)},
            {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_RECTANGLE_NV},
        });
    return flatten({
        {WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGBA_ARB},
        {WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB},
    });
}
