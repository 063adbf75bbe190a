// What the generated programs compute, on the CPU reference: every tested
// instruction changes the colour (none is dead or an identity), and the
// chains stay finite and in range over long programs, whatever the
// parameters and texels hold.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench/fpgen/marlune_fp.h"
#include "bench/tables.h"
#include "tests/support/arb_reference.h"
#include "tests/support/generator_cases.h"

namespace {

using arbref::Vec4;

// ARB with the NV2 option writes all 29 instructions in a text the
// reference reads.
BenchSettings nv2Settings() { return settingsFor(languageCases()[2]); }

std::vector<std::string> lines(std::uint8_t instruction, const BenchSettings& settings) {
    return generateProgram(instruction, settings).source;
}

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

arbref::FragmentInputs inputsAt(float x, float y, bool parameters, float texel) {
    arbref::FragmentInputs in;
    for (Vec4& set : in.texcoords) set = {x + 0.5f, y + 0.5f, 0.0f, 1.0f};
    if (parameters) in.localParameters = {{0, {0.1f, 0.3f, 0.5f, 0.4f}}, {1, {0.2f, 0.5f, 0.8f, 0.8f}}};
    in.sample = [texel](int unit, float s, float t) {
        const float v = texel < 0.0f ? std::fmod(s * 0.37f + t * 0.11f + unit * 0.3f, 1.0f) : texel;
        return Vec4{v, 1.0f - v, v * 0.5f, 1.0f};
    };
    return in;
}

std::vector<Vec4> colours(const std::string& text, float texel = -1.0f) {
    const arbref::ReferenceProgram program(text);
    std::vector<Vec4> out;
    for (int x = 0; x < 512; x += 41) {
        for (int y = 0; y < 768; y += 61) {
            for (const Vec4& colour : program.run(inputsAt(x, y, true, texel))) out.push_back(colour);
        }
    }
    return out;
}

// Clamping marks the tested instructions (and changes nothing else in the
// text); their line numbers hold in the unclamped text too.
std::vector<std::size_t> testedLines(std::uint8_t instruction, BenchSettings settings) {
    settings.clamp = 1;
    const std::vector<std::string> clamped = lines(instruction, settings);
    std::vector<std::size_t> out;
    for (std::size_t k = 0; k < clamped.size(); ++k) {
        if (clamped[k].find("_SAT") != std::string::npos) out.push_back(k);
    }
    return out;
}

TEST(ProgramValuesTest, RemovingAnyTestedInstructionChangesTheColour) {
    for (int components : {4, 1}) {
        BenchSettings settings = nv2Settings();
        settings.length = 6;
        settings.components = components;
        settings.textureFetches = 2;
        for (int k = 0; k < 29; ++k) {
            const std::uint8_t instruction = settings.arbTestList[k];
            const std::vector<std::string> text = lines(instruction, settings);
            const std::vector<Vec4> original = colours(join(text));
            const std::vector<std::size_t> tested = testedLines(instruction, settings);
            ASSERT_EQ(6u, tested.size());
            for (std::size_t line : tested) {
                std::vector<std::string> without = text;
                without.erase(without.begin() + static_cast<std::ptrdiff_t>(line));
                const std::vector<Vec4> changed = colours(join(without));
                bool differs = false;
                for (std::size_t p = 0; p < original.size(); ++p) {
                    for (int c = 0; c < components; ++c) differs = differs || original[p][c] != changed[p][c];
                }
                EXPECT_TRUE(differs) << instructionName(instruction) << ", " << components
                                     << " components: without line " << line + 1 << " (" << text[line]
                                     << ") the colour is the same";
            }
        }
    }
}

struct RangeCase {
    const char* name;
    int length;
    int branching;
    bool parameters;
    float texel;  // every texel's value, or -1 for a pattern
};

TEST(ProgramValuesTest, LongChainsStayFiniteAndBoundedForEveryInstruction) {
    const RangeCase cases[] = {
        {"1000 steps, parameters set, patterned texels", 1000, 0, true, -1.0f},
        {"1000 steps, parameters zero, black texels", 1000, 0, false, 0.0f},
        {"255 steps in a loop, parameters set, white texels", 255, 1, true, 1.0f},
        {"64 steps repeated, parameters zero, white texels", 64, 2, false, 1.0f},
    };
    for (const RangeCase& c : cases) {
        BenchSettings settings = nv2Settings();
        settings.length = c.length;
        settings.branching = static_cast<std::uint8_t>(c.branching);
        settings.textureFetches = 8;
        for (int k = 0; k < 29; ++k) {
            const std::uint8_t instruction = settings.arbTestList[k];
            const arbref::ReferenceProgram program(join(lines(instruction, settings)));
            for (float x : {0.0f, 511.0f}) {
                for (float y : {0.0f, 767.0f}) {
                    const Vec4 colour = program.run(inputsAt(x, y, c.parameters, c.texel))[0];
                    for (float v : colour) {
                        EXPECT_TRUE(std::isfinite(v) && std::fabs(v) < 1e5f)
                            << instructionName(instruction) << ", " << c.name << ": " << v << " at " << x
                            << "," << y;
                    }
                }
            }
        }
    }
}

}  // namespace
