// The float framebuffer object behind the pixel buffer, against the
// recording fakes, and the Linux window's refusal to run without GL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "bench/marlune_glwindow.h"
#include "platform/float_framebuffer.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"
#include "tests/unit/fake_extensions.h"

namespace {

using Calls = std::vector<std::string>;

TEST(FramebufferDrawBufferTest, MapsWindowSystemBuffersToAttachments) {
    const struct {
        GLenum buffer;
        GLenum attachment;
    } cases[] = {
        {glenum::FRONT, 0x8CE0}, {glenum::FRONT_LEFT, 0x8CE0}, {glenum::AUX0, 0x8CE1},
        {glenum::AUX2, 0x8CE3},  {glenum::AUX3, 0x8CE4},       {glenum::BACK, glenum::BACK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.attachment, float_framebuffer::framebufferDrawBuffer(c.buffer)) << c.buffer;
}

// The driver's answers beyond the recording fakes: texture names from 10
// upwards, framebuffer 3, and the framebuffer status `status`.
struct FramebufferDriver {
    static inline GLenum status = 0;
    static inline GLuint nextTexture = 10;
    static void KVX_APIENTRY genTextures(GLsizei, GLuint* names) { names[0] = nextTexture++; }
    static void KVX_APIENTRY genFramebuffers(GLsizei, GLuint* names) { names[0] = 3; }
    static GLenum KVX_APIENTRY checkStatus(GLenum) { return status; }
};

class FloatTargetTest : public ::testing::Test {
protected:
    FloatTargetTest() {
        FramebufferDriver::nextTexture = 10;
        gl::glGenTextures = FramebufferDriver::genTextures;
        gl::glCheckFramebufferStatusEXT = FramebufferDriver::checkStatus;
        gl::glGenFramebuffersEXT = FramebufferDriver::genFramebuffers;
    }

    platform::Failure create(const char* glExtensions, GLenum status, int components, int attachments) {
        FakeExtensions extensions(glExtensions, "");
        FramebufferDriver::status = status;
        recording_gl::clearCalls();
        return float_framebuffer::createFloatTarget(target_, 512, 768, components, attachments);
    }

    recording_gl::Install fakes_;
    float_framebuffer::FloatTarget target_;
};

TEST_F(FloatTargetTest, AttachesOneFloatRectangleTexturePerBufferInOrder) {
    ConsoleCapture console;
    ASSERT_FALSE(create("GL_EXT_framebuffer_object", 0x8CD5, 2, 3)) << "nothing failed";
    EXPECT_EQ((std::vector<GLuint>{10, 11, 12}), target_.colourTextures);
    const Calls attachments = {"glFramebufferTexture2DEXT(36160, 36064, 34037, 10, 0)",
                               "glFramebufferTexture2DEXT(36160, 36065, 34037, 11, 0)",
                               "glFramebufferTexture2DEXT(36160, 36066, 34037, 12, 0)"};
    Calls made;
    for (const std::string& entry : recording_gl::calls())
        if (entry.rfind("glFramebufferTexture2DEXT", 0) == 0) made.push_back(entry);
    EXPECT_EQ(attachments, made);
    // Two 32-bit float channels, 512 x 768, no data.
    EXPECT_EQ(3, recording_gl::countCalls("glTexImage2D(34037, 0, 33328, 512, 768, 0, 33319, 5126, null)"));
    EXPECT_EQ("", console.text());
}

TEST_F(FloatTargetTest, FailuresNameWhatFailedPrintNothingAndLeaveWhatWasMadeForRelease) {
    ConsoleCapture console;
    const platform::Failure missing = create("GL_EXT_framebuffer_objects", 0x8CD5, 4, 1);
    EXPECT_EQ("GL_EXT_framebuffer_object", missing.name);
    EXPECT_TRUE(missing.unsupported);
    EXPECT_EQ(0, recording_gl::countCalls("glGen"));
    const platform::Failure incomplete = create("GL_EXT_framebuffer_object", 0x8CDD, 4, 2);
    EXPECT_EQ("glCheckFramebufferStatusEXT", incomplete.name);
    EXPECT_FALSE(incomplete.unsupported);
    EXPECT_EQ("", console.text());
    recording_gl::clearCalls();
    float_framebuffer::releaseFloatTarget(target_);
    EXPECT_EQ(1, recording_gl::countCalls("glDeleteFramebuffersEXT(1, ptr)"));
    EXPECT_EQ(1, recording_gl::countCalls("glDeleteTextures(2, ptr)"));
    EXPECT_TRUE(target_.colourTextures.empty());
}

TEST(LinuxWindowTest, WithoutTheCoreLibraryItStopsBeforeAnyGLCall) {
    recording_gl::Install fakes;
    gl::glGetString = nullptr;
    ConsoleCapture console;
    try {
        createGLWindow(0, 0, 512, 768);
        ADD_FAILURE() << "the window was made without GL";
    } catch (const OrderlyStop& stop) {
        EXPECT_EQ(exitcode::cannotRunHere, stop.exitCode);
    }
    EXPECT_EQ(Calls{"dlopen failed"}, console.lines());
    EXPECT_TRUE(recording_gl::calls().empty());
}

}  // namespace
