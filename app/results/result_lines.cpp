#include "app/results/result_lines.h"

#include "base/errors.h"
#include "base/number_format.h"
#include "bench/marlune_common.h"
#include "bench/tables.h"

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

}  // namespace

TestFigures blurFigures() { return {"Blur", 9, 73, 5, 4}; }

std::string resultSeparator(int vectorAndScalar, int textureFetches) {
    return vectorAndScalar != 0 && textureFetches != 0 ? "" : " ";
}

std::string resultLine(const TestFigures& figures, const ResultStyle& style, int iterations,
                       double elapsedMs) {
    const std::string& sep = style.separator;
    return figures.label + "  " + "  " + std::to_string(figures.instructions) + "  " +
           std::to_string(figures.flops) + " " + sep + std::to_string(figures.texels) + " " + sep + " " +
           sep + std::to_string(frameWidth) + "  " + std::to_string(frameHeight) + "   " + sep +
           std::to_string(iterations) + "   " + sep + formatFixed4(elapsedMs, style.decimalSeparator) + " ms";
}

std::vector<std::string> resultBlock(const TestFigures& figures, const ResultStyle& style, int iterations,
                                     double elapsedMs) {
    const std::string letter = resultPrefixTable[style.prefix].letter;
    const auto rateLine = [&](double rate, const std::string& unit) {
        return formatFixed4(rate, style.decimalSeparator) + " " + unit;
    };
    const std::int64_t instructions =
        workCount(checkedMultiply(figures.instructions, style.instructionMultiplier), iterations);
    const double bytes = static_cast<double>(iterations) * figures.bytesWritten * frameWidth * frameHeight;
    return {
        resultLine(figures, style, iterations, elapsedMs),
        rateLine(instructionRate(style.prefix, instructions, elapsedMs), letter + "Instr/sec"),
        rateLine(pixelRate(style.prefix, workCount(1, iterations), elapsedMs), letter + "Pixel/sec"),
        rateLine(flopRate(style.prefix, workCount(figures.flops, iterations), elapsedMs),
                 letter + "Flops/sec"),
        rateLine(flopRate(style.prefix, workCount(figures.texels, iterations), elapsedMs),
                 letter + "Texel/sec"),
        rateLine(bandwidthRate(bytes, elapsedMs), "GB/sec"),
    };
}

BaseRates baseRates(const TestFigures& figures, int instructionMultiplier, int iterations, double elapsedMs) {
    if (!(elapsedMs > 0)) return {0, 0, 0, 0, 0};
    const double seconds = elapsedMs / 1000.0;
    const auto perSecond = [&](std::int64_t perPixel) {
        return static_cast<double>(workCount(perPixel, iterations)) / seconds;
    };
    return {perSecond(checkedMultiply(figures.instructions, instructionMultiplier)), perSecond(1),
            perSecond(figures.flops), perSecond(figures.texels), perSecond(figures.bytesWritten)};
}

std::optional<std::string> shadingWarning(std::optional<std::uint64_t> shaded, int iterations) {
    const auto expected = static_cast<std::uint64_t>(workCount(1, iterations));
    if (!shaded || *shaded == expected) return std::nullopt;
    return "Warning: " + std::to_string(*shaded) + " of " + std::to_string(expected) +
           " fragments passed; the rates assume all " + std::to_string(expected) + " were shaded";
}
