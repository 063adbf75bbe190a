#include "app/results/test_result.h"

#include "app/measuring/timed_draw.h"
#include "base/errors.h"
#include "bench/marlune_common.h"

namespace {

// The work of the whole timed section: pixels x per-pixel work x iterations,
// in 64 bits; a product that does not fit raises the overflow error.
std::int64_t workCount(std::int64_t perPixel, int iterations) {
    std::int64_t perIteration = 0, total = 0;
    if (__builtin_mul_overflow(pixelsPerIteration, perPixel, &perIteration) ||
        __builtin_mul_overflow(perIteration, static_cast<std::int64_t>(iterations), &total))
        throw integerOverflowError();
    return total;
}

double perSecond(double work, double elapsedMs) { return elapsedMs > 0 ? work / (elapsedMs / 1000.0) : 0.0; }

}  // namespace

TestResult testResult(const SetTest& test, int instructionMultiplier, std::uint8_t prefix,
                      const TimedProgram& timed) {
    const TestFigures& f = test.figures;
    const int iterations = timed.iterations;
    const SectionSummary sections = summarizeSections(timed.sectionsMs);
    const double ms = sections.medianMs;
    const std::int64_t instructions =
        workCount(checkedMultiply(f.instructions, instructionMultiplier), iterations);
    const std::int64_t pixels = workCount(1, iterations);
    const std::int64_t flops = workCount(f.flops, iterations);
    const std::int64_t texels = workCount(f.texels, iterations);
    // The block's byte count is floating point, as the bandwidth line has it.
    const double bytes = static_cast<double>(iterations) * f.bytesWritten * frameWidth * frameHeight;
    return {test,
            instructionMultiplier,
            timed,
            sections,
            static_cast<std::uint64_t>(pixels),
            {perSecond(static_cast<double>(instructions), ms), perSecond(static_cast<double>(pixels), ms),
             perSecond(static_cast<double>(flops), ms), perSecond(static_cast<double>(texels), ms),
             perSecond(static_cast<double>(workCount(f.bytesWritten, iterations)), ms)},
            {instructionRate(prefix, instructions, ms), pixelRate(prefix, pixels, ms),
             flopRate(prefix, flops, ms), flopRate(prefix, texels, ms), bandwidthRate(bytes, ms)},
            std::nullopt};
}

LatencyResult latencyResult(int outputs, int components, const TimedProgram& timed) {
    const SectionSummary sections = summarizeSections(timed.sectionsMs);
    // The area really drawn: 512 x 768 per output, not the side squared.
    const double bytes =
        static_cast<double>(components) * 4.0 * outputs * timed.iterations * frameWidth * frameHeight;
    return {outputs,
            components,
            timed,
            sections,
            static_cast<std::uint64_t>(workCount(1, timed.iterations)),
            bytes,
            perSecond(bytes, sections.medianMs),
            bandwidthRate(bytes, sections.medianMs)};
}
