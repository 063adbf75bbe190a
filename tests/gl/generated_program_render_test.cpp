// Generated ARB programs drawn by the real draw loop into the float pixel
// buffer give, pixel for pixel, what the CPU reference computes from the
// same text: the driver ran every instruction as written.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/measuring/timed_draw.h"
#include "app/test_textures.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/fpgen/net_variants.h"
#include "bench/marlune_arb.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "tests/support/arb_reference.h"
#include "tests/support/gl_test_context.h"

namespace {

constexpr int width = 512, height = 768;
const arbref::Vec4 parameter0 = {0.1f, 0.3f, 0.5f, 0.4f};
const arbref::Vec4 parameter1 = {0.2f, 0.5f, 0.8f, 0.8f};

// Our own texel pattern: different on every unit, varying along both axes.
unsigned char texelByte(int unit, int channel, int x, int y) {
    static const int mix[3][3] = {{3, 5, 40}, {7, 2, 90}, {1, 11, 150}};
    return static_cast<unsigned char>((x * mix[channel][0] + y * mix[channel][1] + unit * mix[channel][2]) &
                                      255);
}

arbref::Vec4 referenceTexel(int unit, float s, float t) {
    const int x = std::clamp(static_cast<int>(std::floor(s)), 0, width - 1);
    const int y = std::clamp(static_cast<int>(std::floor(t)), 0, height - 1);
    return {texelByte(unit, 0, x, y) / 255.0f, texelByte(unit, 1, x, y) / 255.0f,
            texelByte(unit, 2, x, y) / 255.0f, 1.0f};
}

// Special functions are approximated by the driver; the chains keep their
// values near 1, so one tolerance serves all: 2e-3 absolute or relative.
constexpr float tolerance = 2e-3f;

class GeneratedProgramRenderTest : public GLContextTest {
protected:
    void SetUp() override {
        GLContextTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        usePixelBuffer(4);
        if (HasFatalFailure()) return;
        makePatternTextures();
    }

    void makePatternTextures() {
        gl::glGenTextures(3, testTextures.imageTextures);
        std::vector<unsigned char> pixels(width * height * 3);
        for (int unit = 0; unit < 3; ++unit) {
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    for (int c = 0; c < 3; ++c) pixels[(y * width + x) * 3 + c] = texelByte(unit, c, x, y);
                }
            }
            gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, testTextures.imageTextures[unit]);
            gl::glTexImage2D(glenum::TEXTURE_RECTANGLE_NV, 0, glenum::RGB, width, height, 0, glenum::RGB,
                             glenum::UNSIGNED_BYTE, pixels.data());
            for (GLenum filter : {glenum::TEXTURE_MIN_FILTER, glenum::TEXTURE_MAG_FILTER}) {
                gl::glTexParameteri(glenum::TEXTURE_RECTANGLE_NV, filter, glenum::NEAREST);
            }
            for (GLenum wrap : {glenum::TEXTURE_WRAP_S, glenum::TEXTURE_WRAP_T}) {
                gl::glTexParameteri(glenum::TEXTURE_RECTANGLE_NV, wrap, glenum::CLAMP_TO_EDGE);
            }
        }
    }

    // Draws `text` once with the parameters set the way the test loop sets
    // them, and returns the whole frame.
    std::vector<float> render(const std::string& text, const BenchSettings& settings) {
        GLuint id = 0;
        gl::glGenProgramsARB(1, &id);
        gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, id);
        gl::glProgramStringARB(glenum::FRAGMENT_PROGRAM_ARB, glenum::PROGRAM_FORMAT_ASCII_ARB,
                               static_cast<GLsizei>(text.size()), text.data());
        marlune_arb::bindProgram(id);
        if (settings.localParameters == 0) {
            gl::glProgramLocalParameter4fvARB(glenum::FRAGMENT_PROGRAM_ARB, 0, parameter0.data());
            gl::glProgramLocalParameter4fvARB(glenum::FRAGMENT_PROGRAM_ARB, 1, parameter1.data());
        } else if (settings.localParameters == 1) {
            gl::glProgramEnvParameter4fvARB(glenum::FRAGMENT_PROGRAM_ARB, 0, parameter0.data());
            gl::glProgramEnvParameter4fvARB(glenum::FRAGMENT_PROGRAM_ARB, 1, parameter1.data());
        } else {
            // Named mode under ARB sets nothing: the program reads zeros.
            const float zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
            for (GLuint index : {0u, 1u})
                gl::glProgramLocalParameter4fvARB(glenum::FRAGMENT_PROGRAM_ARB, index, zero);
        }
        timedDraw(1, {});
        marlune_arb::disableProgram();
        gl::glDeleteProgramsARB(1, &id);
        std::vector<float> frame(width * height * 4);
        gl::glReadPixels(0, 0, width, height, glenum::RGBA, glenum::FLOAT, frame.data());
        return frame;
    }

    // Renders `text` and compares the first `components` of every sample
    // pixel with the reference.
    void expectReference(const std::string& text, const BenchSettings& settings, const std::string& where) {
        static const int pixels[][2] = {{0, 0}, {511, 767}, {100, 200}, {300, 600}, {37, 411}, {450, 13}};
        const arbref::ReferenceProgram reference(text);
        const std::vector<float> frame = render(text, settings);
        for (const auto& p : pixels) {
            const arbref::Vec4 expected = reference.run(inputsAt(p[0], p[1], settings))[0];
            for (int c = 0; c < settings.components; ++c) {
                const float got = frame[(p[1] * width + p[0]) * 4 + c];
                EXPECT_NEAR(expected[c], got, tolerance * std::max(1.0f, std::fabs(expected[c])))
                    << where << ", pixel " << p[0] << "," << p[1] << " component " << c << "\n"
                    << text;
            }
        }
    }

    static arbref::FragmentInputs inputsAt(int x, int y, const BenchSettings& settings) {
        arbref::FragmentInputs in;
        for (int set = 0; set < 4; ++set) in.texcoords[set] = {x + 0.5f, y + 0.5f, 0.0f, 1.0f};
        auto& parameters = settings.localParameters == 1 ? in.envParameters : in.localParameters;
        if (settings.localParameters != 2) parameters = {{0, parameter0}, {1, parameter1}};
        in.sample = referenceTexel;
        return in;
    }
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
