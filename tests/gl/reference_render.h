// Drawing an ARB program text with the real draw loop into the float pixel
// buffer, over three textures of a known pattern, and comparing pixels with
// what the CPU reference computes from the same text.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "bench/settings.h"
#include "gl/gl_types.h"
#include "tests/support/arb_reference.h"
#include "tests/support/gl_test_context.h"

class ReferenceRenderTest : public GLContextTest {
protected:
    // The value of `channel` (0 red to 2 blue) of texel (x, y) of image unit
    // `unit`, from 0 to 1; the textures have the frame's size.
    using TexelPattern = float (*)(int unit, int channel, int x, int y);
    using Pixels = std::vector<std::array<int, 2>>;

    // `filter`: NEAREST reads single texels, LINEAR blends four, as the
    // reference does. `format`: RGB holds each value as its nearest byte,
    // RGB32F_ARB as it is (a driver may blend bytes into bytes).
    ReferenceRenderTest(TexelPattern pattern, GLenum filter, GLenum format)
        : pattern_(pattern), filter_(filter), format_(format) {}

    void SetUp() override;

    // Draws `text` once with the parameters set the way the test loop sets
    // them, and returns the whole frame.
    std::vector<float> render(const std::string& text, const BenchSettings& settings);

    // Renders `text` and compares the first settings.components components
    // of each of `pixels` with the reference.
    void expectReference(const std::string& text, const BenchSettings& settings, const std::string& where,
                         const Pixels& pixels = {
                             {0, 0}, {511, 767}, {100, 200}, {300, 600}, {37, 411}, {450, 13}});

private:
    void makePatternTextures();
    float texel(int unit, int channel, int x, int y) const;
    arbref::Vec4 referenceTexel(int unit, float s, float t) const;
    arbref::FragmentInputs inputsAt(int x, int y, const BenchSettings& settings) const;

    TexelPattern pattern_;
    GLenum filter_;
    GLenum format_;
};
