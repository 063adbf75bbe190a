// Every generated ARB program loads on the driver, and the driver counts as
// many ALU instructions and texture indirections as the generator accounts
// for.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bench/fpgen/marlune_fp.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "tests/support/gl_test_context.h"

namespace {

struct Variation {
    const char* name;
    std::function<void(BenchSettings&)> apply;
};

const std::vector<Variation> variations = {
    {"defaults (length 64, four components)", [](BenchSettings&) {}},
    {"length 1", [](BenchSettings& s) { s.length = 1; }},
    {"one component", [](BenchSettings& s) { s.components = 1; }},
    {"two components, clamped", [](BenchSettings& s) { s.components = 2, s.clamp = 1; }},
    {"three components", [](BenchSettings& s) { s.components = 3; }},
    {"8 fetches from three textures", [](BenchSettings& s) { s.textureFetches = 8; }},
    {"8 fetches from one texture", [](BenchSettings& s) { s.textureFetches = 8, s.fetchTexture = 0; }},
    {"8 fetches, own coordinate sets", [](BenchSettings& s) { s.textureFetches = 8, s.multiTexCoords = 1; }},
    {"nicest hint, env parameters", [](BenchSettings& s) { s.precisionHint = 1, s.localParameters = 1; }},
    {"fastest hint, named parameters", [](BenchSettings& s) { s.precisionHint = 2, s.localParameters = 2; }},
    {"four outputs", [](BenchSettings& s) { s.multipleOutputs = 1, s.outputCount = 4; }},
    {"one output of several", [](BenchSettings& s) { s.multipleOutputs = 1, s.outputCount = 1; }},
    {"mixed: 3 components, clamp, 3 fetches, 2 outputs, length 7",
     [](BenchSettings& s) {
         s.components = 3, s.clamp = 1, s.textureFetches = 3, s.multiTexCoords = 1, s.multipleOutputs = 1,
         s.outputCount = 2, s.length = 7;
     }},
    {"branching asked for, which plain ARB cannot express", [](BenchSettings& s) { s.branching = 1; }},
};

GLint programValue(GLenum name) {
    GLint value = -2;
    gl::glGetProgramivARB(glenum::FRAGMENT_PROGRAM_ARB, name, &value);
    return value;
}

class GeneratedArbProgramTest : public GLContextTest {
protected:
    void SetUp() override {
        GLContextTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        gl::glGenProgramsARB(1, &id_);
        gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, id_);
    }

    // The driver's error text, empty when the program loaded.
    static std::string load(const std::string& text) {
        gl::glProgramStringARB(glenum::FRAGMENT_PROGRAM_ARB, glenum::PROGRAM_FORMAT_ASCII_ARB,
                               static_cast<GLsizei>(text.size()), text.data());
        GLint errorPosition = 0;
        gl::glGetIntegerv(glenum::PROGRAM_ERROR_POSITION_ARB, &errorPosition);
        const char* errors = reinterpret_cast<const char*>(gl::glGetString(glenum::PROGRAM_ERROR_STRING_ARB));
        if (errorPosition == -1) return "";
        return "error at " + std::to_string(errorPosition) + ": " + (errors ? errors : "");
    }

    GLuint id_ = 0;
};

TEST_F(GeneratedArbProgramTest, EveryInstructionUnderEveryVariationLoadsWithTheAccountedAluCount) {
    for (const Variation& variation : variations) {
        BenchSettings settings = defaultBenchSettings;
        variation.apply(settings);
        for (int k = 0; k < 25; ++k) {
            const std::uint8_t instruction = settings.arbTestList[k];
            const GeneratedProgram program = generateProgram(instruction, settings);
            const std::string text = programString(program.source);
            const std::string where = std::string(instructionName(instruction)) + ", " + variation.name;
            ASSERT_EQ("", load(text)) << where << "\n" << text;
            // Plain ARB has no loops, so every instruction runs once.
            EXPECT_EQ(program.work.instructions - program.work.texels,
                      programValue(glenum::PROGRAM_NATIVE_ALU_INSTRUCTIONS_ARB))
                << where;
            EXPECT_EQ(program.work.texels, programValue(glenum::PROGRAM_NATIVE_TEX_INSTRUCTIONS_ARB))
                << where;
        }
    }
}

// Fetches that no ALU result feeds are one indirection by
// ARB_fragment_program's count; the offset fetches of a repeated unit and
// set, whose coordinates the program computes, share one more. A driver that
// counts native indirections must count as many; Mesa 22 reports 0 for every
// program, so there the count rests on the rule alone.
TEST_F(GeneratedArbProgramTest, IndependentFetchesAreOneTextureIndirection) {
    struct Shape {
        const char* name;
        int fetchTexture, multiTexCoords;
        const char* indirections;  // for -t 0 to 8
    };
    const Shape shapes[] = {{"three textures, own coordinate sets", 1, 1, "111111111"},
                            {"three textures, one coordinate set", 1, 0, "111122222"},
                            {"one texture, one coordinate set", 0, 0, "112222222"}};
    for (const Shape& shape : shapes) {
        for (int fetches = 0; fetches <= 8; ++fetches) {
            BenchSettings settings = defaultBenchSettings;
            settings.textureFetches = fetches, settings.fetchTexture = shape.fetchTexture,
            settings.multiTexCoords = shape.multiTexCoords;
            const GeneratedProgram program = generateProgram(AluInstruction::MAD, settings);
            const std::string where = std::string(shape.name) + ", -t " + std::to_string(fetches);
            EXPECT_EQ(shape.indirections[fetches] - '0', program.work.textureIndirections) << where;
            ASSERT_EQ("", load(programString(program.source))) << where;
            const GLint native = programValue(glenum::PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB);
            if (native != 0) {
                EXPECT_EQ(program.work.textureIndirections, native) << where;
            }
        }
    }
}

}  // namespace
