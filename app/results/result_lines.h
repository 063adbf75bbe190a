// The result lines of the tests: per test a line that names the test and its
// per-pixel figures, then five rates, all from the same elapsed time, then
// what follows the block. They only format a TestResult.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/programs/test_figures.h"
#include "app/results/result_style.h"
#include "app/results/test_result.h"

// One blank, or nothing when vector-and-scalar mode tests texture fetches.
std::string resultSeparator(int vectorAndScalar, int textureFetches);

// The first line of a block, for example
// "Blur    9  73  5    512  768    10000    1234.5678 ms".
std::string resultLine(const TestFigures& figures, const ResultStyle& style, int iterations,
                       double elapsedMs);

// The six lines of one test: resultLine with the median section, then the
// instruction, pixel, flop and texel rates and the memory throughput. A test
// whose work is not known has the pixel rate and the throughput only.
std::vector<std::string> resultBlock(const TestResult& result, const ResultStyle& style);

// "Spread: min X ms, median Y ms, max Z ms over N runs", each time in the
// result line's "%4.4f" form with the locale's decimal separator.
std::string spreadLine(const SectionSummary& summary, std::size_t runs, const std::string& decimalSeparator);

// "Warning: N of M fragments passed; the rates assume all M were shaded" when
// a counted section passed other than `expected` fragments (fewer were
// drawn, or the program discarded some after shading them); nothing when
// they all passed or nothing could count them.
std::optional<std::string> shadingWarning(std::optional<std::uint64_t> counted, std::uint64_t expected);

// Every line of one test: the block, the flow-control line of a test whose
// work is not known, the spread of several sections, with a precision goal
// the interval and the warning of a goal not met, the shading warning, and
// with net figures the Net line or its warning.
std::vector<std::string> testResultLines(const TestResult& result, const ResultStyle& style);

// The warning lines among them, in the same order.
std::vector<std::string> testWarningLines(const TestResult& result, const ResultStyle& style);

// The lines of one latency measurement: "%4.4f ms latency" and "%4.4f
// GB/sec" from the median section, then the spread of several sections and
// the interval of a precision goal.
std::vector<std::string> latencyLines(const LatencyResult& result, const std::string& decimalSeparator);

// The ordered result lines of a run; its text form is every line followed
// by CR LF.
using ResultLines = std::vector<std::string>;
