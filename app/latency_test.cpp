#include "app/latency_test.h"

#include <vector>

#include "app/program_set.h"
#include "app/program_timing.h"
#include "app/progress_line.h"
#include "app/result_files.h"
#include "app/result_lines.h"
#include "app/section_statistics.h"
#include "app/timed_draw.h"
#include "base/console.h"
#include "base/errors.h"
#include "base/number_format.h"
#include "bench/marlune_common.h"
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

double latencyByteCount(int components, int outputCount, int iterations) {
    return static_cast<double>(components) * 4.0 * outputCount * iterations * frameWidth * frameHeight;
}

void latencyBandwidthTest() {
    const BenchSettings& settings = benchSettings;
    const std::string separator = platform::current().decimalSeparator();
    createOutputTextures(settings.outputCount);
    selectDrawBuffers(settings.outputCount, settings.arbDrawBuffers);
    bindFirstProgram();
    const TimingPolicy policy = timingPolicy(settings, settings.iterations);
    const int sides = settings.latencySizeLast - settings.latencySizeFirst + 1;
    for (int side = 0; side < sides; ++side) {
        progressStartTest(side + 1, sides, "latency");
        const TimedProgram timed = timeBoundProgram(policy);
        const SectionSummary summary = summarizeSections(timed.sectionsMs);
        const double bytes = latencyByteCount(settings.components, settings.outputCount, timed.iterations);
        writeLine(formatFixed4(summary.medianMs, separator) + " ms latency");
        writeLine(formatFixed4(bandwidthRate(bytes, summary.medianMs), separator) + " GB/sec");
        if (timed.sectionsMs.size() > 1) writeLine(spreadLine(summary, timed.sectionsMs.size(), separator));
        // The output here is exactly its lines; the warning goes beside it.
        if (const auto warning = shadingWarning(timed.fragmentsCounted, timed.iterations))
            writeErrorLine(*warning);
        const double bytesPerSecond = summary.medianMs > 0 ? bytes * 1000.0 / summary.medianMs : 0.0;
        runRecord.latency.push_back({settings.outputCount, settings.components, summary.medianMs,
                                     bytesPerSecond, timed.iterations, timed.sectionsMs});
    }
    saveResultFiles(settings);
    throw OrderlyStop{exitcode::success};
}
