// Program compilation and binding on a real driver.
#include <gtest/gtest.h>

#include "app/programs/compile_program.h"
#include "bench/marlune_arb.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "tests/gl/gl_harness_run.h"
#include "tests/support/console_capture.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr GLenum programBinding = 0x8677;

class ProgramCompileTest : public GLContextTest {
protected:
    void SetUp() override {
        GLContextTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure()) usePixelBuffer(4);
    }
};

TEST_F(ProgramCompileTest, AValidProgramCompilesSilentlyAndStaysBound) {
    ConsoleCapture console;
    const GLuint id = compileProgram(glenum::FRAGMENT_PROGRAM_ARB,
                                     {"!!ARBfp1.0", "OPTION ARB_precision_hint_fastest;",
                                      "TEX result.color, fragment.texcoord[0], texture[0], RECT;", "END"});
    EXPECT_TRUE(gl::glIsProgramARB(id));
    GLint bound = 0;
    gl::glGetProgramivARB(glenum::FRAGMENT_PROGRAM_ARB, programBinding, &bound);
    EXPECT_EQ(static_cast<GLint>(id), bound);
    EXPECT_FALSE(gl::glIsEnabled(glenum::FRAGMENT_PROGRAM_ARB));
    EXPECT_EQ("", console.text());
}

TEST_F(ProgramCompileTest, BindingEnablesTheTargetAndDisablingKeepsTheBinding) {
    const GLuint id = compileProgram(glenum::FRAGMENT_PROGRAM_ARB, {"!!ARBfp1.0", "END"});
    gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, 0);
    marlune_arb::bindProgram(id);
    EXPECT_TRUE(gl::glIsEnabled(glenum::FRAGMENT_PROGRAM_ARB));
    marlune_arb::disableProgram();
    EXPECT_FALSE(gl::glIsEnabled(glenum::FRAGMENT_PROGRAM_ARB));
    GLint bound = 0;
    gl::glGetProgramivARB(glenum::FRAGMENT_PROGRAM_ARB, programBinding, &bound);
    EXPECT_EQ(static_cast<GLint>(id), bound);
}

TEST(RejectedProgramTest, StopsWithExitCodeThreeAndTheDriversText) {
    TempDir directory;
    directory.write("bad.txt",
                    "!!ARBfp1.0\r\nMOV result.color, fragment.color;\r\nNOTANOPCODE r0;\r\nEND\r\n");
    const KorvexRun run = runGLHarness({"compile", directory.file("bad.txt")});
    EXPECT_EQ(3, run.exitCode) << run.err;
    const std::string heading = "Fragment program contains errors:\n\n";
    ASSERT_EQ(heading, run.out.substr(0, heading.size())) << run.out;
    // The driver's own text follows unchanged, then the line end.
    const std::string driverText = run.out.substr(heading.size());
    EXPECT_NE(std::string::npos, driverText.find("line 3")) << driverText;
    EXPECT_EQ("\r\n", driverText.substr(driverText.size() - 2));
    EXPECT_EQ(std::string::npos, run.out.find("compiled"));
}

TEST(RejectedProgramTest, AnAcceptedProgramRunsOnInTheHarness) {
    TempDir directory;
    directory.write("good.txt", "!!ARBfp1.0\nMOV result.color, fragment.color;\nEND\n");
    const KorvexRun run = runGLHarness({"compile", directory.file("good.txt")});
    EXPECT_EQ(0, run.exitCode) << run.out << run.err;
    EXPECT_EQ(0u, run.out.rfind("compiled ", 0)) << run.out;
}

}  // namespace
