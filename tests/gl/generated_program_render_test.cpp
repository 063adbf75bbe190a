// Generated ARB programs drawn by the real draw loop into the float pixel
// buffer give, pixel for pixel, what the CPU reference computes from the
// same text: the driver ran every instruction as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "bench/fpgen/marlune_fp.h"
#include "bench/fpgen/net_variants.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "tests/gl/reference_render.h"

namespace {

// Our own texel pattern: different on every unit, varying along both axes.
float texelPattern(int unit, int channel, int x, int y) {
    static const int mix[3][3] = {{3, 5, 40}, {7, 2, 90}, {1, 11, 150}};
    return ((x * mix[channel][0] + y * mix[channel][1] + unit * mix[channel][2]) & 255) / 255.0f;
}

class GeneratedProgramRenderTest : public ReferenceRenderTest {
protected:
    GeneratedProgramRenderTest() : ReferenceRenderTest(texelPattern, glenum::NEAREST, glenum::RGB) {}
};

struct RenderCase {
    const char* name;
    std::function<void(BenchSettings&)> apply;
};

const RenderCase renderCases[] = {
    {"length 6, four components", [](BenchSettings& s) { s.length = 6; }},
    {"length 5, two components clamped, env parameters, three fetches on own coordinate sets",
     [](BenchSettings& s) {
         s.length = 5, s.components = 2, s.clamp = 1, s.localParameters = 1, s.textureFetches = 3,
         s.multiTexCoords = 1;
     }},
    {"length 8, one component, eight fetches from one texture",
     [](BenchSettings& s) { s.length = 8, s.components = 1, s.textureFetches = 8, s.fetchTexture = 0; }},
};

TEST_F(GeneratedProgramRenderTest, EveryInstructionRendersWhatTheReferenceComputes) {
    for (const RenderCase& renderCase : renderCases) {
        BenchSettings settings = defaultBenchSettings;
        renderCase.apply(settings);
        for (int k = 0; k < 25; ++k) {
            const std::uint8_t instruction = settings.arbTestList[k];
            expectReference(programString(generateProgram(instruction, settings).source), settings,
                            std::string(instructionName(instruction)) + ", " + renderCase.name);
        }
    }
}

// The net variants of the instructions with helpers, whose helpers-only
// forms change a helper's destination or source, and one without.
TEST_F(GeneratedProgramRenderTest, NetVariantsRenderWhatTheReferenceComputes) {
    BenchSettings settings = defaultBenchSettings;
    settings.length = 8;
    settings.components = 3;
    for (std::uint8_t instruction :
         {AluInstruction::MOV, AluInstruction::RCP, AluInstruction::LG2, AluInstruction::LIT,
          AluInstruction::FLR, AluInstruction::DP3, AluInstruction::MAD}) {
        for (const NetVariant& variant : generateNetVariants(instruction, settings, 0).variants) {
            expectReference(programString(variant.program.source), settings,
                            std::string(instructionName(instruction)) + ", length " +
                                std::to_string(variant.length) +
                                (variant.helpersOnly ? ", helpers only" : ""));
        }
    }
}

TEST_F(GeneratedProgramRenderTest, WithTheParametersAtZeroEveryProgramStillGivesFiniteColours) {
    BenchSettings settings = defaultBenchSettings;
    settings.localParameters = 2;  // named mode under ARB: nothing is set
    for (int k = 0; k < 25; ++k) {
        const std::uint8_t instruction = settings.arbTestList[k];
        const std::vector<float> frame =
            render(programString(generateProgram(instruction, settings).source), settings);
        const auto bad = std::find_if(frame.begin(), frame.end(), [](float v) { return !std::isfinite(v); });
        EXPECT_EQ(frame.end(), bad) << instructionName(instruction) << " gave a non-finite value at float "
                                    << (bad - frame.begin());
    }
}

}  // namespace
