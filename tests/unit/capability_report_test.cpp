#include "app/capability_report.h"

#include <gtest/gtest.h>

#include "bench/marlune_gpu.h"
#include "bench/settings.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"

namespace {

using recording_gl::call;

class CapabilityReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        benchSettings = defaultBenchSettings;
        marlune_gpu::rendererName = "llvmpipe (LLVM 15.0.6, 256 bits)";
        marlune_gpu::vendorString = "Mesa/X.org";
        marlune_gpu::versionString = "4.5 (Compatibility Profile) Mesa 22.3.6";
        marlune_gpu::extensionsString = "GL_ARB_fragment_program GL_NV_fragment_program2";
        marlune_gpu::driverName = "swrast_dri.so";
        marlune_gpu::driverCompany = "Mesa/X.org";
        marlune_gpu::driverVersion = "22.3.6";
        marlune_gpu::driverDescription = "swrast";
        for (int ProgramLimits::*field :
             {&ProgramLimits::maxNativeAluInstructions, &ProgramLimits::maxTextureSize,
              &ProgramLimits::maxLoopCount, &ProgramLimits::nvMaxLocalParameters})
            limits_.*field = 96;
    }
    void TearDown() override { benchSettings = defaultBenchSettings; }

    ProgramLimits limits_;
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(CapabilityReportTest, PrintsTheArbBlockWithTwentyFourCharacterLabels) {
    const std::vector<std::string> lines = capabilityReportLines(limits_, 1);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], "GL_RENDERER           : llvmpipe (LLVM 15.0.6, 256 bits)");
    EXPECT_EQ(lines[3], "Driver Name           : swrast_dri.so");
    EXPECT_EQ(lines[7], "ARB_fragment_program");
    EXPECT_EQ(lines[8],
              "ALU Instructions      : 96 [ ABS ADD COS DP3 DP4 DPH DST EX2 FLR FRC LG2 LIT LRP MAD MAX MIN "
              "MOV MUL "
              "POW RCP RSQ SCS SIN SUB XPD ]");
    EXPECT_EQ(lines[18], "Texture Size          : 96 x 96");
    EXPECT_EQ(lines[19], "Texture Rectangle Size: 0 x 0");
    EXPECT_EQ(lines[21], "Renderbuffer Size     : 0 x 0");
    EXPECT_EQ(lines.back(), "");
    for (const std::string& line : lines) {
        const std::size_t colon = line.find(": ");
        EXPECT_TRUE(colon == std::string::npos || colon == 22u) << line;
    }
}

TEST_F(CapabilityReportTest, PutsTheExtensionsOnOneLineAfterTheVersionForGpuidTwo) {
    const std::vector<std::string> lines = capabilityReportLines(limits_, 2);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[2].substr(0, 8), "GL_VERSI");
    EXPECT_EQ(lines[3], "GL_EXTENSIONS         : GL_ARB_fragment_program GL_NV_fragment_program2");
    EXPECT_EQ(lines[4].substr(0, 11), "Driver Name");
}

TEST_F(CapabilityReportTest, AddsTheNvBlocksOnlyUnderTheirConditions) {
    struct Case {
        const char* vendor;
        const char* extensions;
        bool nv;
        bool nv2;
    };
    const Case cases[] = {
        {"NVIDIA Corporation", "GL_NV_fragment_program2", true, true},
        {"NVIDIA Corporation", "GL_NV_fragment_program", true, false},
        {"nvidia corporation", "GL_NV_fragment_program2", false, false},
        {"ATI Technologies Inc.", "GL_NV_fragment_program2", false, false},
    };
    for (const Case& c : cases) {
        marlune_gpu::vendorString = c.vendor;
        marlune_gpu::extensionsString = c.extensions;
        const std::vector<std::string> lines = capabilityReportLines(limits_, 1);
        SCOPED_TRACE(std::string(c.vendor) + " / " + c.extensions);
        EXPECT_EQ(contains(lines, "NV_fragment_program"), c.nv);
        EXPECT_EQ(
            contains(lines,
                     "ALU Instructions      : [ ADD COS DP3 DP4 DST EX2 FLR FRC LG2 LIT LRP MAD MAX MIN "
                     "MOV MUL POW RCP RSQ SIN SUB RFL ]"),
            c.nv);
        EXPECT_EQ(contains(lines, "Local Parameters      : 96"), c.nv);
        EXPECT_EQ(contains(lines, "NV_fragment_program2"), c.nv2);
        EXPECT_EQ(contains(lines, "ALU Instructions      : [ DIV DP2 NRM ]"), c.nv2);
        EXPECT_EQ(contains(lines, "Initial Loop Count    : 96"), c.nv2);
        EXPECT_EQ(lines.size(), 23u + (c.nv ? 5 : 0) + (c.nv2 ? 7 : 0));
        EXPECT_EQ(lines.back(), "");
    }
}

TEST_F(CapabilityReportTest, PrintsEveryLineInItsOwnWrite) {
    ConsoleCapture console;
    benchSettings.gpuid = 1;
    printCapabilityReport();
    EXPECT_EQ(console.writes().size(), 23u);
    EXPECT_EQ(console.writes().back(), "\r\n");
}

struct QueryCase {
    const char* vendor;
    const char* extensions;
    int integerQueries;
    int programQueries;
};

void PrintTo(const QueryCase& c, std::ostream* out) { *out << c.vendor << " / " << c.extensions; }

class QueryProgramLimits : public CapabilityReportTest, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(QueryProgramLimits, QueriesTheGroupsTheDriverQualifiesFor) {
    recording_gl::Install fakes;
    marlune_gpu::vendorString = GetParam().vendor;
    marlune_gpu::extensionsString = GetParam().extensions;
    queryProgramLimits();
    EXPECT_EQ(recording_gl::countCalls("glGetIntegerv"), GetParam().integerQueries);
    EXPECT_EQ(recording_gl::countCalls("glGetProgramivARB"), GetParam().programQueries);
    GLint field = 0;
    EXPECT_EQ(recording_gl::calls().front(), call("glGetProgramivARB", glenum::FRAGMENT_PROGRAM_ARB,
                                                  glenum::MAX_PROGRAM_NATIVE_ALU_INSTRUCTIONS_ARB, &field));
}

INSTANTIATE_TEST_SUITE_P(Vendors, QueryProgramLimits,
                         ::testing::Values(QueryCase{"Mesa/X.org", "GL_NV_fragment_program2", 6, 8},
                                           QueryCase{"NVIDIA Corporation", "GL_NV_fragment_program", 9, 8},
                                           QueryCase{"NVIDIA Corporation", "GL_NV_fragment_program2", 9,
                                                     13}));

TEST_F(CapabilityReportTest, SkipsTheProgramQueriesWhenTheProgramExtensionsDidNotLoad) {
    recording_gl::Install fakes;
    gl::glGetProgramivARB = nullptr;
    queryProgramLimits();
    EXPECT_EQ(recording_gl::countCalls("glGetIntegerv"), 6);
}

TEST_F(CapabilityReportTest, QueriedValuesLandInTheirFields) {
    recording_gl::Install fakes;
    gl::glGetIntegerv = [](GLenum name, GLint* value) { *value = static_cast<GLint>(name); };
    gl::glGetProgramivARB = [](GLenum, GLenum name, GLint* value) { *value = static_cast<GLint>(name) + 1; };
    queryProgramLimits();
    EXPECT_EQ(programLimits.maxNativeTexIndirections, 0x8811);
    EXPECT_EQ(programLimits.maxEnvParameters, 0x88B6);
    EXPECT_EQ(programLimits.maxRectangleTextureSize, 0x84F8);
    EXPECT_EQ(programLimits.maxRenderbufferSize, 0x84E8);
}

}  // namespace
