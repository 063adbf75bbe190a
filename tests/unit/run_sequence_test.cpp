#include "app/run_sequence.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "app/programs/program_limits.h"
#include "app/programs/program_set.h"
#include "base/errors.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "gl/GLext.h"
#include "tests/support/console_capture.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_gl.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tga_builder.h"
#include "tests/unit/fake_extensions.h"

namespace {

using recording_gl::call;
using recording_gl::calls;

bool driverIdentified = true;

platform::Failure fakeCreateWindow(int left, int top, int width, int height) {
    calls().push_back(call("createGLWindow", left, top, width, height));
    return {};
}
void fakeKillWindow() { calls().push_back("killGLWindow()"); }
std::optional<platform::DriverStrings> fakeLocateDriver(const platform::DriverQuery&) {
    calls().push_back("identifyDriver()");
    if (!driverIdentified) return std::nullopt;
    return platform::DriverStrings{"fake.so", "Fake", "1.0", "fake driver"};
}
platform::Failure fakeCreatePbuffer(const platform::PixelBufferRequest& request) {
    calls().push_back(call("createPbuffer", request.width, request.height, request.doubleBuffer,
                           request.components, request.auxBuffers));
    return {};
}
bool pbufferCurrent = true;
bool fakeMakePbufferCurrent() {
    calls().push_back("makePbufferCurrent()");
    return pbufferCurrent;
}
void fakeDestroyPbuffer() { calls().push_back("destroyPbuffer()"); }

// Every extension the run may check, less the names given.
std::string extensionsWithout(const std::vector<std::string>& missing) {
    std::string list = everyGLExtension;
    for (const std::string& name : missing) list.replace(list.find(name), name.size(), "");
    return list;
}

class RunSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        benchSettings = defaultBenchSettings;
        platform::Operations& fake = platform_.operations;
        fake.createContext = fakeCreateWindow;
        fake.releaseContext = fakeKillWindow;
        fake.locateDriver = fakeLocateDriver;
        fake.createPixelBuffer = fakeCreatePbuffer;
        fake.makePixelBufferCurrent = fakeMakePbufferCurrent;
        fake.releasePixelBuffer = fakeDestroyPbuffer;
        platform_.install();
        driverIdentified = true;
        pbufferCurrent = true;
    }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        programSources.clear();
    }

public:
    // Runs the benchmark up to its stop; returns the exit code.
    int runUntilStop(const std::string& glExtensions) {
        FakeExtensions extensions(glExtensions, everyPlatformExtension);
        try {
            runBenchmark(512, 512, 4, AluInstruction::MAD, 100, RunOptions{}, {});
        } catch (const OrderlyStop& stop) {
            return stop.exitCode;
        }
        ADD_FAILURE() << "the run did not stop";
        return -1;
    }

protected:
    recording_gl::Install fakes_;
    ConsoleCapture console_;
    FakePlatform platform_;
};

TEST_F(RunSequenceTest, AnUnidentifiedDriverClosesTheWindowAndStopsBeforeAnyCheck) {
    driverIdentified = false;
    EXPECT_EQ(runUntilStop(everyGLExtension), exitcode::cannotRunHere);
    EXPECT_EQ(calls(), (std::vector<std::string>{call("createGLWindow", 0, 0, 512, 768), "identifyDriver()",
                                                 "killGLWindow()"}));
    EXPECT_EQ(console_.lines(), std::vector<std::string>{" driver not found"})
        << "the fake vendor ships no file";
}

TEST_F(RunSequenceTest, AMissingExtensionPrintsItsLineThenTheReportThenClosesTheWindow) {
    benchSettings.gpuid = 1;
    EXPECT_EQ(runUntilStop(extensionsWithout({"GL_ARB_multitexture", "GL_ARB_fragment_program"})),
              exitcode::cannotRunHere);
    const std::vector<std::string> lines = console_.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "GL_ARB_multitexture not supported");
    EXPECT_EQ(lines[1], "GL_ARB_fragment_program not supported");
    EXPECT_EQ(lines[2].substr(0, 11), "GL_RENDERER");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(calls().back(), "killGLWindow()");
    EXPECT_EQ(recording_gl::countCalls("glGenTextures"), 0);
    EXPECT_EQ(recording_gl::countCalls("createPbuffer"), 0);
    EXPECT_GT(recording_gl::countCalls("glGetIntegerv"), 0) << "the limits are queried before the stop";
}

TEST_F(RunSequenceTest, AMissingPixelBufferExtensionIsCheckedBetweenMultitextureAndThePrograms) {
    EXPECT_EQ(runUntilStop(extensionsWithout(
                  {"GL_ARB_multitexture", "GL_EXT_framebuffer_object", "GL_ARB_vertex_program"})),
              exitcode::cannotRunHere);
    const std::vector<std::string> lines = console_.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "GL_ARB_multitexture not supported");
    EXPECT_EQ(lines[2], "GL_ARB_vertex_program not supported");
}

TEST_F(RunSequenceTest, APixelBufferThatCannotBeMadeCurrentStopsTheRunBeforeAnyProgram) {
    TempDir directory(true);
    std::filesystem::create_directory("Images");
    TgaFields image;
    for (const char* name : {"memorial_orig_tm.tga", "3dsmax5beta_image1.tga", "spectrum.tga"})
        directory.write(std::string("Images/") + name, buildTga(image, std::vector<std::uint8_t>(12, 0)));
    pbufferCurrent = false;
    benchSettings.multipleOutputs = 1;
    benchSettings.outputCount = 3;

    EXPECT_EQ(runUntilStop(everyGLExtension), exitcode::cannotRunHere);
    EXPECT_EQ(console_.lines(), (std::vector<std::string>{"1", "makePbufferCurrent failed"}));
    const std::vector<std::string> tail(calls().end() - 4, calls().end());
    EXPECT_EQ(tail, (std::vector<std::string>{call("createPbuffer", 512, 768, 0, 4, 2),
                                              "makePbufferCurrent()", "destroyPbuffer()", "killGLWindow()"}));
}

// The one program limit the fake driver reports, for the ARB target.
GLenum limitName = 0;
GLint limitValue = 0;
void KVX_APIENTRY reportLimit(GLenum, GLenum name, GLint* value) {
    if (name == limitName) *value = limitValue;
}

// An all-instructions run in `directory`, with test images, on a driver
// whose limit `name` is `value`; returns the exit code.
int runAllInstructionsWithLimit(RunSequenceTest& test, const TempDir& directory, GLenum name, GLint value) {
    std::filesystem::create_directory("Images");
    for (const char* image : {"memorial_orig_tm.tga", "3dsmax5beta_image1.tga", "spectrum.tga"})
        directory.write(std::string("Images/") + image,
                        buildTga(TgaFields{}, std::vector<std::uint8_t>(12, 0)));
    limitName = name;
    limitValue = value;
    gl::glGetProgramivARB = reportLimit;
    const ProgramLimits savedLimits = programLimits;
    benchSettings.allInstructions = 1;
    const int exitCode = test.runUntilStop(everyGLExtension);
    programLimits = savedLimits;
    return exitCode;
}

TEST_F(RunSequenceTest, ProgramsNeedingMoreTextureIndirectionsThanTheDriverRunsStopBeforeCompiling) {
    TempDir directory(true);
    benchSettings.textureFetches = 8;  // offset fetches: 2 indirections
    EXPECT_EQ(
        runAllInstructionsWithLimit(*this, directory, glenum::MAX_PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB, 1),
        exitcode::cannotRunHere);
    EXPECT_EQ(console_.lines().back(),
              "The programs need 2 texture indirections, the driver runs 1 (TEX Indirections)");
    EXPECT_EQ(recording_gl::countCalls("glProgramStringARB"), 0);
    const std::vector<std::string> tail(calls().end() - 2, calls().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"destroyPbuffer()", "killGLWindow()"}));
}

// The largest length the command line takes gives programs no driver runs:
// the run says so before it writes or keeps any program text, and never
// hands the driver a text of that size.
TEST_F(RunSequenceTest, ALengthBeyondTheDriversInstructionLimitStopsBeforeAnyProgramIsWritten) {
    TempDir directory(true);
    benchSettings.output = 3;
    benchSettings.length = 2147483647;
    EXPECT_EQ(runAllInstructionsWithLimit(*this, directory, glenum::MAX_PROGRAM_INSTRUCTIONS_ARB, 1048576),
              exitcode::cannotRunHere);
    EXPECT_TRUE(programSources.empty());
    EXPECT_EQ(console_.lines(),
              std::vector<std::string>{"The programs need at least 2147483647 instructions, "
                                       "the driver runs 1048576 (Program Instructions)"});
    EXPECT_FALSE(directory.exists("fasm_0000.txt"));
    EXPECT_EQ(recording_gl::countCalls("glProgramStringARB"), 0);
    const std::vector<std::string> tail(calls().end() - 2, calls().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"destroyPbuffer()", "killGLWindow()"}));
}

struct NvCheckCase {
    std::uint8_t profile;
    int nvOption;
    std::vector<std::string> lines;
};

void PrintTo(const NvCheckCase& c, std::ostream* out) {
    *out << profileTable[c.profile].name << " nvOption " << c.nvOption;
}

class NvExtensionChecks : public RunSequenceTest, public ::testing::WithParamInterface<NvCheckCase> {};

TEST_P(NvExtensionChecks, FollowTheProfileAndNvOption) {
    benchSettings.fragmentProgram = GetParam().profile;
    benchSettings.nvOption = GetParam().nvOption;
    // A missing vertex-program extension stops every case at the same place.
    EXPECT_EQ(runUntilStop(extensionsWithout({"GL_ARB_vertex_program"})), exitcode::cannotRunHere);
    std::vector<std::string> expected = {"GL_ARB_vertex_program not supported"};
    expected.insert(expected.end(), GetParam().lines.begin(), GetParam().lines.end());
    EXPECT_EQ(console_.lines(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, NvExtensionChecks,
    ::testing::Values(
        NvCheckCase{FragmentProfile::ARB, 0, {}},
        NvCheckCase{FragmentProfile::ARB,
                    1,
                    {"GL_NV_fragment_program not supported", "GL_NV_fragment_program_option not supported"}},
        NvCheckCase{FragmentProfile::ARB,
                    2,
                    {"GL_NV_fragment_program not supported", "GL_NV_fragment_program2 not supported"}},
        NvCheckCase{FragmentProfile::FP1, 0, {"GL_NV_fragment_program not supported"}},
        NvCheckCase{FragmentProfile::FP2,
                    1,
                    {"GL_NV_fragment_program not supported", "GL_NV_fragment_program_option not supported",
                     "GL_NV_fragment_program2 not supported"}},
        NvCheckCase{FragmentProfile::FP4, 1, {"GL_NV_fragment_program4 not supported"}}));

struct DrawBufferCase {
    std::vector<std::string> missing;
    std::vector<std::string> lines;
    int arbDrawBuffers;
};

void PrintTo(const DrawBufferCase& c, std::ostream* out) { *out << c.lines.size() << " lines"; }

class DrawBufferChecks : public RunSequenceTest, public ::testing::WithParamInterface<DrawBufferCase> {};

TEST_P(DrawBufferChecks, PrintTheChoiceAndNeedOneOfTheTwoExtensions) {
    benchSettings.multipleOutputs = 1;
    std::vector<std::string> missing = GetParam().missing;
    missing.push_back("GL_ARB_vertex_program");
    EXPECT_EQ(runUntilStop(extensionsWithout(missing)), exitcode::cannotRunHere);
    std::vector<std::string> expected = {"GL_ARB_vertex_program not supported"};
    expected.insert(expected.end(), GetParam().lines.begin(), GetParam().lines.end());
    EXPECT_EQ(console_.lines(), expected);
    EXPECT_EQ(benchSettings.arbDrawBuffers, GetParam().arbDrawBuffers);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, DrawBufferChecks,
    ::testing::Values(DrawBufferCase{{}, {"1"}, 1},
                      DrawBufferCase{{"GL_ARB_draw_buffers"}, {"GL_ARB_draw_buffers not supported", "0"}, 0},
                      DrawBufferCase{
                          {"GL_ARB_draw_buffers", "GL_ATI_draw_buffers"},
                          {"GL_ARB_draw_buffers not supported", "0", "GL_ATI_draw_buffers not supported"},
                          0}));

}  // namespace
