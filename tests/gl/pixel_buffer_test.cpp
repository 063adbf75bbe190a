// The float pixel buffer on a real driver: complete for every channel and
// attachment count the run can ask for, unclamped, and sharing the window
// context's textures.
#include <gtest/gtest.h>

#include <string>

#include "bench/marlune_glwindow.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "tests/gl/gl_drawing.h"
#include "tests/support/gl_test_context.h"

namespace {

using PixelBufferTest = GLContextTest;

// Attachment n receives (2.5 + n, -1 - n, 3.25, -7.5): outside [0, 1], so
// any clamping shows.
std::string multipleOutputProgram(int outputs) {
    std::string text = "!!ARBfp1.0\nOPTION ARB_draw_buffers;\n";
    for (int n = 0; n < outputs; ++n)
        text += "MOV result.color[" + std::to_string(n) + "], {" + std::to_string(2.5 + n) + ", " +
                std::to_string(-1.0 - n) + ", 3.25, -7.5};\n";
    return text + "END\n";
}

TEST_F(PixelBufferTest, EveryChannelAndAttachmentCountIsCompleteAndReadsBackUnclamped) {
    const GLenum auxBuffers[] = {glenum::FRONT, glenum::AUX0, glenum::AUX1, glenum::AUX2};
    for (int components = 1; components <= 4; ++components) {
        for (int attachments = 1; attachments <= 4; ++attachments) {
            SCOPED_TRACE(std::to_string(components) + " components, " + std::to_string(attachments) +
                         " attachments");
            createPbuffer(512, 768, 0, components, attachments - 1);
            ASSERT_TRUE(makePbufferCurrent());
            ASSERT_EQ(glenum::FRAMEBUFFER_COMPLETE_EXT,
                      gl::glCheckFramebufferStatusEXT(glenum::FRAMEBUFFER_EXT));

            GLint viewport[4] = {};
            gl::glGetIntegerv(glenum::VIEWPORT, viewport);
            EXPECT_EQ(512, viewport[2]);
            EXPECT_EQ(768, viewport[3]);

            GLenum drawBuffers[4] = {};
            for (int n = 0; n < attachments; ++n) drawBuffers[n] = pixelBufferDrawBuffer(auxBuffers[n]);
            gl::glDrawBuffersARB(attachments, drawBuffers);
            gl_drawing::useFragmentProgram(multipleOutputProgram(attachments));
            gl_drawing::drawFullScreenQuad();

            const float expected[4] = {2.5f, -1.0f, 3.25f, -7.5f};
            for (int n = 0; n < attachments; ++n) {
                const auto pixel = gl_drawing::readPixel(drawBuffers[n], 511, 767);
                const float written[4] = {expected[0] + n, expected[1] - n, expected[2], expected[3]};
                for (int channel = 0; channel < components; ++channel)
                    EXPECT_EQ(written[channel], pixel[channel])
                        << "attachment " << n << ", channel " << channel;
            }
            destroyPbuffer();
        }
    }
}

TEST_F(PixelBufferTest, TextureMadeInTheWindowContextIsSampledInThePixelBuffer) {
    const float texel[4] = {0.25f, 4.0f, -2.0f, 1.5f};
    GLuint texture = 0;
    gl::glGenTextures(1, &texture);
    gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, texture);
    gl::glTexImage2D(glenum::TEXTURE_RECTANGLE_NV, 0, glenum::RGBA32F_ARB, 1, 1, 0, glenum::RGBA,
                     glenum::FLOAT, texel);

    usePixelBuffer(4);
    ASSERT_FALSE(HasFatalFailure());
    gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, texture);
    gl_drawing::useFragmentProgram(
        "!!ARBfp1.0\nTEX result.color, fragment.texcoord[0], texture[0], RECT;\nEND\n");
    gl_drawing::drawFullScreenQuad(0.5f, 0.5f);

    const auto pixel = gl_drawing::readPixel(pixelBufferDrawBuffer(glenum::FRONT), 256, 384);
    for (int channel = 0; channel < 4; ++channel) EXPECT_EQ(texel[channel], pixel[channel]) << channel;
}

}  // namespace
