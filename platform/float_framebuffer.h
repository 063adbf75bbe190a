// A floating-point framebuffer object that stands in for a float pixel
// buffer where the window system offers none. Pure GL: it is built in, and
// belongs to, the context that is current.
#pragma once

#include <vector>

#include "gl/gl_types.h"
#include "platform/platform.h"

namespace float_framebuffer {

struct FloatTarget {
    GLuint framebuffer = 0;
    std::vector<GLuint> colourTextures;
    int width = 0;
    int height = 0;
};

// The 32-bit float internal format with `components` channels (1 to 4).
GLenum floatInternalFormat(int components);

// Creates `attachments` rectangle textures of `components` 32-bit float
// channels, attaches them in order to a new framebuffer object and leaves it
// bound. On failure it names the failed call or the missing extension; what
// was made stays in `target` for releaseFloatTarget.
platform::Failure createFloatTarget(FloatTarget& target, int width, int height, int components,
                                    int attachments);

// Binds the framebuffer and sets the viewport to its size.
void bindFloatTarget(const FloatTarget& target);

// Deletes the framebuffer and its textures; the context that made them must
// be current.
void releaseFloatTarget(FloatTarget& target);

// The colour attachment that stands for a window-system buffer: GL_FRONT and
// GL_FRONT_LEFT give attachment 0, GL_AUXn attachment n + 1; any other enum
// is returned unchanged.
GLenum framebufferDrawBuffer(GLenum buffer);

}  // namespace float_framebuffer
