// The float framebuffer object behind the pixel buffer.
#include "platform/float_framebuffer.h"

#include "gl/GL.h"
#include "gl/GLext.h"

namespace float_framebuffer {

namespace {

const char* const framebufferExtension = "GL_EXT_framebuffer_object";

struct FloatFormat {
    GLenum internalFormat;
    GLenum pixelFormat;
};

// Indexed by the channel count less one; counts outside 1 to 4 are clamped.
const FloatFormat& floatFormat(int components) {
    static const FloatFormat formats[] = {{glenum::R32F, glenum::RED},
                                          {glenum::RG32F, glenum::RG},
                                          {glenum::RGB32F_ARB, glenum::RGB},
                                          {glenum::RGBA32F_ARB, glenum::RGBA}};
    return formats[components < 1 ? 0 : components > 4 ? 3 : components - 1];
}

GLuint makeColourTexture(int width, int height, int components) {
    GLuint texture = 0;
    gl::glGenTextures(1, &texture);
    gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, texture);
    gl::glTexImage2D(glenum::TEXTURE_RECTANGLE_NV, 0, static_cast<GLint>(floatInternalFormat(components)),
                     width, height, 0, floatFormat(components).pixelFormat, glenum::FLOAT, nullptr);
    gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, 0);
    return texture;
}

}  // namespace

GLenum floatInternalFormat(int components) { return floatFormat(components).internalFormat; }

platform::Failure createFloatTarget(FloatTarget& target, int width, int height, int components,
                                    int attachments) {
    // The framebuffer entry points belong to this context's extension list,
    // which the window's checks may not have covered.
    if (!gl::loadExtension(framebufferExtension)) return {framebufferExtension, true};
    target.width = width;
    target.height = height;
    gl::glGenFramebuffersEXT(1, &target.framebuffer);
    gl::glBindFramebufferEXT(glenum::FRAMEBUFFER_EXT, target.framebuffer);
    for (int index = 0; index < attachments; ++index) {
        target.colourTextures.push_back(makeColourTexture(width, height, components));
        gl::glFramebufferTexture2DEXT(glenum::FRAMEBUFFER_EXT, glenum::COLOR_ATTACHMENT0_EXT + index,
                                      glenum::TEXTURE_RECTANGLE_NV, target.colourTextures.back(), 0);
    }
    if (gl::glCheckFramebufferStatusEXT(glenum::FRAMEBUFFER_EXT) != glenum::FRAMEBUFFER_COMPLETE_EXT)
        return {"glCheckFramebufferStatusEXT"};
    return {};
}

void bindFloatTarget(const FloatTarget& target) {
    gl::glBindFramebufferEXT(glenum::FRAMEBUFFER_EXT, target.framebuffer);
    gl::glViewport(0, 0, target.width, target.height);
}

void releaseFloatTarget(FloatTarget& target) {
    if (target.framebuffer != 0) {
        gl::glBindFramebufferEXT(glenum::FRAMEBUFFER_EXT, 0);
        gl::glDeleteFramebuffersEXT(1, &target.framebuffer);
    }
    if (!target.colourTextures.empty())
        gl::glDeleteTextures(static_cast<GLsizei>(target.colourTextures.size()),
                             target.colourTextures.data());
    target = FloatTarget{};
}

GLenum framebufferDrawBuffer(GLenum buffer) {
    if (buffer == glenum::FRONT || buffer == glenum::FRONT_LEFT) return glenum::COLOR_ATTACHMENT0_EXT;
    if (buffer >= glenum::AUX0 && buffer <= glenum::AUX3)
        return glenum::COLOR_ATTACHMENT0_EXT + 1 + (buffer - glenum::AUX0);
    return buffer;
}

}  // namespace float_framebuffer
