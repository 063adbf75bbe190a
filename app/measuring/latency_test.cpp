#include "app/measuring/latency_test.h"

#include <vector>

#include "app/measuring/timed_draw.h"
#include "app/programs/program_set.h"
#include "app/results/interval_lines.h"
#include "app/results/result_lines.h"
#include "base/console.h"
#include "bench/marlune_glwindow.h"
#include "bench/settings.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "platform/platform.h"

namespace {

constexpr float clampAsFloat = static_cast<float>(glenum::CLAMP);
constexpr float nearestAsFloat = static_cast<float>(glenum::NEAREST);

void createOutputTextures(int outputCount) {
    std::vector<GLuint> textures(static_cast<std::size_t>(outputCount));
    gl::glGenTextures(outputCount, textures.data());
    for (int i = 0; i < outputCount; ++i) {
        gl::glActiveTextureARB(glenum::TEXTURE0_ARB + static_cast<GLenum>(i));
        gl::glBindTexture(glenum::TEXTURE_2D, textures[static_cast<std::size_t>(i)]);
        gl::glTexParameterf(glenum::TEXTURE_2D, glenum::TEXTURE_WRAP_S, clampAsFloat);
        gl::glTexParameterf(glenum::TEXTURE_2D, glenum::TEXTURE_WRAP_T, clampAsFloat);
        gl::glTexParameterf(glenum::TEXTURE_2D, glenum::TEXTURE_MAG_FILTER, nearestAsFloat);
        gl::glTexParameterf(glenum::TEXTURE_2D, glenum::TEXTURE_MIN_FILTER, nearestAsFloat);
    }
}

void selectDrawBuffers(int outputCount, int arbDrawBuffers) {
    setInitialDrawState();
    gl::glFinish();
    const GLenum buffers[4] = {
        pixelBufferDrawBuffer(glenum::FRONT_LEFT),
        pixelBufferDrawBuffer(glenum::AUX0),
        pixelBufferDrawBuffer(glenum::AUX1),
        pixelBufferDrawBuffer(glenum::AUX2),
    };
    if (arbDrawBuffers == 1)
        gl::glDrawBuffersARB(outputCount, buffers);
    else
        gl::glDrawBuffersATI(outputCount, buffers);
}

void bindFirstProgram() {
    gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, programIds.at(0));
    gl::glProgramEnvParameter4fARB(glenum::FRAGMENT_PROGRAM_ARB, 0, 1.0f, 0.2f, 0.7f, 0.5f);
    gl::glEnable(glenum::FRAGMENT_PROGRAM_ARB);
}

}  // namespace

std::vector<LatencyResult> latencyBandwidthTest(const ProgramTimer& timer) {
    const BenchSettings& settings = benchSettings;
    const std::string separator = platform::current().decimalSeparator();
    createOutputTextures(settings.outputCount);
    selectDrawBuffers(settings.outputCount, settings.arbDrawBuffers);
    bindFirstProgram();
    std::vector<LatencyResult> results;
    const int sides = settings.latencySizeLast - settings.latencySizeFirst + 1;
    for (int side = 0; side < sides; ++side) {
        timer.progress.startTest(side + 1, sides, "latency");
        const LatencyResult result =
            latencyResult(settings.outputCount, settings.components, timeBoundProgram(timer));
        for (const std::string& line : latencyLines(result, separator)) writeLine(line);
        // The output here is exactly its lines; the warnings go beside it.
        if (const auto warning = precisionWarning(result.timed, separator)) writeErrorLine(*warning);
        if (const auto warning = shadingWarning(result.timed.fragmentsCounted, result.fragmentsPerSection))
            writeErrorLine(*warning);
        results.push_back(result);
    }
    return results;
}
