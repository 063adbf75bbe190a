#include "tests/support/recording_gl.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingGLTest, RecordsCallsAndRestoresTheEntryPoints) {
    const gl::PFN_glBegin before = gl::glBegin;
    {
        recording_gl::Install fakes;
        gl::glBegin(7);
        gl::glMultiTexCoord2fARB(0x84C0, 0.5f, 768.0f);
        gl::glProgramNamedParameter4fNV(3, 2, reinterpret_cast<const GLubyte*>("C0"), 0.1f, 0.3f, 0.5f, 0.4f);
        EXPECT_EQ((std::vector<std::string>{"glBegin(7)", "glMultiTexCoord2fARB(33984, 0.5, 768)",
                                            "glProgramNamedParameter4fNV(3, 2, \"C0\", 0.1, 0.3, 0.5, 0.4)"}),
                  recording_gl::calls());
        EXPECT_EQ(nullptr, gl::glGetString(0x1F00));
        EXPECT_EQ(1, recording_gl::countCalls("glBegin("));
    }
    EXPECT_EQ(before, gl::glBegin);
}

}  // namespace
