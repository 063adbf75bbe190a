// The result lines of the tests: per test a line that names the test and its
// per-pixel figures, then five rates, all from the same elapsed time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/marlune_glwindow.h"

// What one pixel of a test costs, as its result line shows it and as its
// rates count it.
struct TestFigures {
    std::string label;
    int instructions;
    int flops;
    int texels;
    int bytesWritten;
};

// The bundled program's fixed figures: "Blur", 9 instructions, 73 flops,
// 5 texels and 4 bytes written per pixel.
TestFigures blurFigures();

// One blank, or nothing when vector-and-scalar mode tests texture fetches.
std::string resultSeparator(int vectorAndScalar, int textureFetches);

// How a block is written: the separator of the first line, the rate prefix
// (0 kilo, 1 mega, 2 giga), the factor on the instruction count and the
// locale's decimal separator.
struct ResultStyle {
    std::string separator;
    std::uint8_t prefix;
    int instructionMultiplier;
    std::string decimalSeparator;
};

// The first line of a block, for example
// "Blur    9  73  5    512  768    10000    1234.5678 ms".
std::string resultLine(const TestFigures& figures, const ResultStyle& style, int iterations,
                       double elapsedMs);

// The six lines of one test: resultLine, then the instruction, pixel, flop
// and texel rates and the memory throughput.
std::vector<std::string> resultBlock(const TestFigures& figures, const ResultStyle& style, int iterations,
                                     double elapsedMs);

// The pixels of one timed iteration: the fixed frame.
constexpr std::int64_t pixelsPerIteration = frameWidth * frameHeight;

// The five rates of a block in base units (per second, no prefix, bytes not
// GB), for machine-readable results; all 0 for a section without time.
struct BaseRates {
    double instructions, pixels, flops, texels, bytes;
};
BaseRates baseRates(const TestFigures& figures, int instructionMultiplier, int iterations, double elapsedMs);

// "Warning: N of M fragments passed; the rates assume all M were shaded" when
// other than pixelsPerIteration x iterations fragments passed a counted timed
// section (fewer were drawn, or the program discarded some after shading
// them); nothing when they all passed or nothing could count them.
std::optional<std::string> shadingWarning(std::optional<std::uint64_t> shaded, int iterations);

// The ordered result lines of a run; its text form is every line followed
// by CR LF.
using ResultLines = std::vector<std::string>;
