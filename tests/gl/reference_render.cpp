#include "tests/gl/reference_render.h"

#include <algorithm>
#include <cmath>

#include "app/measuring/timed_draw.h"
#include "app/test_textures.h"
#include "bench/marlune_arb.h"
#include "gl/GL.h"
#include "gl/GLext.h"

namespace {

constexpr int width = 512, height = 768;
const arbref::Vec4 parameter0 = {0.1f, 0.3f, 0.5f, 0.4f};
const arbref::Vec4 parameter1 = {0.2f, 0.5f, 0.8f, 0.8f};

// Special functions are approximated by the driver; the programs keep their
// values near 1, so one tolerance serves all: 2e-3 absolute or relative.
constexpr float tolerance = 2e-3f;

}  // namespace

void ReferenceRenderTest::SetUp() {
    GLContextTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    usePixelBuffer(4);
    if (HasFatalFailure()) return;
    makePatternTextures();
}

void ReferenceRenderTest::makePatternTextures() {
    gl::glGenTextures(3, testTextures.imageTextures);
    std::vector<float> values(width * height * 3);
    std::vector<unsigned char> bytes(values.size());
    for (int unit = 0; unit < 3; ++unit) {
        for (std::size_t k = 0; k < values.size(); ++k) {
            const int x = static_cast<int>(k / 3 % width), y = static_cast<int>(k / 3 / width);
            values[k] = texel(unit, static_cast<int>(k % 3), x, y);
            bytes[k] = static_cast<unsigned char>(std::lround(values[k] * 255.0f));
        }
        gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, testTextures.imageTextures[unit]);
        if (format_ == glenum::RGB) {
            gl::glTexImage2D(glenum::TEXTURE_RECTANGLE_NV, 0, glenum::RGB, width, height, 0, glenum::RGB,
                             glenum::UNSIGNED_BYTE, bytes.data());
        } else {
            gl::glTexImage2D(glenum::TEXTURE_RECTANGLE_NV, 0, static_cast<GLint>(format_), width, height, 0,
                             glenum::RGB, glenum::FLOAT, values.data());
        }
        for (GLenum filter : {glenum::TEXTURE_MIN_FILTER, glenum::TEXTURE_MAG_FILTER}) {
            gl::glTexParameteri(glenum::TEXTURE_RECTANGLE_NV, filter, static_cast<GLint>(filter_));
        }
        for (GLenum wrap : {glenum::TEXTURE_WRAP_S, glenum::TEXTURE_WRAP_T}) {
            gl::glTexParameteri(glenum::TEXTURE_RECTANGLE_NV, wrap, glenum::CLAMP_TO_EDGE);
        }
    }
}

// What the texture holds: the pattern's value, or its nearest byte.
float ReferenceRenderTest::texel(int unit, int channel, int x, int y) const {
    const float value = pattern_(unit, channel, std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
    return format_ == glenum::RGB ? std::lround(value * 255.0f) / 255.0f : value;
}

// Rectangle texels have their centres at half-integer coordinates.
arbref::Vec4 ReferenceRenderTest::referenceTexel(int unit, float s, float t) const {
    arbref::Vec4 colour{0.0f, 0.0f, 0.0f, 1.0f};
    if (filter_ == glenum::NEAREST) {
        const int x = static_cast<int>(std::floor(s)), y = static_cast<int>(std::floor(t));
        for (int c = 0; c < 3; ++c) colour[c] = texel(unit, c, x, y);
        return colour;
    }
    const float u = s - 0.5f, v = t - 0.5f;
    const int x = static_cast<int>(std::floor(u)), y = static_cast<int>(std::floor(v));
    const float a = u - static_cast<float>(x), b = v - static_cast<float>(y);
    for (int c = 0; c < 3; ++c) {
        colour[c] = (1 - a) * (1 - b) * texel(unit, c, x, y) + a * (1 - b) * texel(unit, c, x + 1, y) +
                    (1 - a) * b * texel(unit, c, x, y + 1) + a * b * texel(unit, c, x + 1, y + 1);
    }
    return colour;
}

std::vector<float> ReferenceRenderTest::render(const std::string& text, const BenchSettings& settings) {
    GLuint id = 0;
    gl::glGenProgramsARB(1, &id);
    gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, id);
    gl::glProgramStringARB(glenum::FRAGMENT_PROGRAM_ARB, glenum::PROGRAM_FORMAT_ASCII_ARB,
                           static_cast<GLsizei>(text.size()), text.data());
    GLint errorPosition = -1;
    gl::glGetIntegerv(glenum::PROGRAM_ERROR_POSITION_ARB, &errorPosition);
    const GLubyte* errors = gl::glGetString(glenum::PROGRAM_ERROR_STRING_ARB);
    EXPECT_EQ(-1, errorPosition) << (errors != nullptr ? reinterpret_cast<const char*>(errors) : "") << "\n"
                                 << text;
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

void ReferenceRenderTest::expectReference(const std::string& text, const BenchSettings& settings,
                                          const std::string& where, const Pixels& pixels) {
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

arbref::FragmentInputs ReferenceRenderTest::inputsAt(int x, int y, const BenchSettings& settings) const {
    arbref::FragmentInputs in;
    for (int set = 0; set < 4; ++set) in.texcoords[set] = {x + 0.5f, y + 0.5f, 0.0f, 1.0f};
    auto& parameters = settings.localParameters == 1 ? in.envParameters : in.localParameters;
    if (settings.localParameters != 2) parameters = {{0, parameter0}, {1, parameter1}};
    in.sample = [this](int unit, float s, float t) { return referenceTexel(unit, s, t); };
    return in;
}
