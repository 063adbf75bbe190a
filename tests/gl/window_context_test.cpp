// The window context on a real driver: creation, extension checks, driver
// identification and the whole start of a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/programs/compile_program.h"
#include "bench/marlune_arb.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "bench/marlune_nv.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "platform/platform.h"
#include "tests/gl/gl_harness_run.h"
#include "tests/support/console_capture.h"
#include "tests/support/gl_test_context.h"

namespace {

using WindowContextTest = GLContextTest;

std::string glText(GLenum name) {
    const GLubyte* text = gl::glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool onMesa() { return glText(glenum::VERSION).find("Mesa") != std::string::npos; }

TEST_F(WindowContextTest, IsACompatibilityContextWithAFixedViewport) {
    EXPECT_FALSE(glText(glenum::RENDERER).empty());
    GLint viewport[4] = {};
    gl::glGetIntegerv(glenum::VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(512, viewport[2]);
    EXPECT_EQ(768, viewport[3]);
    // A core profile would refuse the immediate mode the timed loop draws with.
    constexpr GLenum contextProfileMask = 0x9126, compatibilityProfileBit = 0x2;
    GLint profile = 0;
    gl::glGetIntegerv(contextProfileMask, &profile);
    EXPECT_EQ(compatibilityProfileBit, profile & compatibilityProfileBit);
}

TEST_F(WindowContextTest, ExtensionChecksAnswerFromTheDriversLists) {
    ConsoleCapture console;
    EXPECT_EQ(0, marlune_arb::checkExtension("GL_ARB_fragment_program"));
    // A window-system name is answered from EGL's list, not GL's.
    EXPECT_EQ(0, marlune_arb::checkExtension("EGL_KHR_surfaceless_context"));
    EXPECT_EQ(1, marlune_arb::checkExtension("GL_ARB_fragment_progra"));
    EXPECT_EQ((std::vector<std::string>{"GL_ARB_fragment_progra not supported"}), console.lines());
}

TEST_F(WindowContextTest, NvProfilesAreNotSupportedOnMesa) {
    if (!onMesa()) GTEST_SKIP() << "only Mesa lacks every NV program language";
    ConsoleCapture console;
    EXPECT_EQ(1, marlune_nv::checkExtension("GL_NV_fragment_program"));
    EXPECT_EQ(1, marlune_nv::checkExtension("GL_NV_fragment_program4"));
    EXPECT_EQ((std::vector<std::string>{"GL_NV_fragment_program not supported",
                                        "GL_NV_fragment_program4 not supported"}),
              console.lines());
}

TEST_F(WindowContextTest, IdentifiesTheLoadedDriverLibrary) {
    ASSERT_TRUE(marlune_gpu::identifyDriver());
    EXPECT_EQ(glText(glenum::VENDOR), marlune_gpu::vendorString);
    EXPECT_EQ(marlune_gpu::vendorString, marlune_gpu::driverCompany);
    EXPECT_FALSE(marlune_gpu::rendererName.empty());
    EXPECT_FALSE(marlune_gpu::driverVersion.empty());
    if (onMesa()) {
        EXPECT_EQ("swrast_dri.so", marlune_gpu::driverName);
        EXPECT_EQ("swrast", marlune_gpu::driverDescription);
        EXPECT_NE(std::string::npos, marlune_gpu::versionString.find("Mesa " + marlune_gpu::driverVersion));
    }
}

TEST_F(WindowContextTest, ARunStartsFromContextToCompiledProgramInTheFramebuffer) {
    ConsoleCapture console;
    ASSERT_TRUE(marlune_gpu::identifyDriver());
    std::vector<std::string> checks = {"GL_ARB_multitexture"};
    for (const std::string& name : platform::pixelBufferExtensionNames()) checks.push_back(name);
    checks.push_back("GL_ARB_vertex_program");
    checks.push_back("GL_ARB_fragment_program");
    ASSERT_EQ(6u, checks.size());
    for (const std::string& name : checks) EXPECT_EQ(0, marlune_arb::checkExtension(name)) << name;

    usePixelBuffer(4);
    ASSERT_FALSE(HasFatalFailure());
    const GLuint id = compileProgram(glenum::FRAGMENT_PROGRAM_ARB,
                                     {"!!ARBfp1.0", "MOV result.color, fragment.color;", "END"});
    EXPECT_NE(0u, id);
    EXPECT_EQ(glenum::FRAMEBUFFER_COMPLETE_EXT, gl::glCheckFramebufferStatusEXT(glenum::FRAMEBUFFER_EXT));
    EXPECT_TRUE(console.lines().empty()) << console.text();
}

TEST_F(WindowContextTest, KillingTwiceIsHarmlessAndANewContextFollows) {
    killGLWindow();
    killGLWindow();
    EXPECT_TRUE(createGLWindow(0, 0, 512, 768));
    EXPECT_FALSE(glText(glenum::VERSION).empty());
}

TEST(DriverVendorTest, AnNvidiaVendorStringTakesTheNvidiaBranches) {
    const KorvexRun run = runGLHarness({"identify"}, {{"force_gl_vendor", "NVIDIA Corporation"}});
    ASSERT_EQ(0, run.exitCode) << run.out << run.err;
    const std::vector<std::string> lines = crlfLines(run.out);
    for (const char* expected : {"found=1", "vendor=NVIDIA Corporation", "nvidia=1", "vendorFile=nvoglnt.dll",
                                 "driverCompany=NVIDIA Corporation"})
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), expected)) << expected << "\n"
                                                                                << run.out;
}

}  // namespace
