// One test's result: what it measured and every figure that follows from it,
// each computed once. The text lines, the JSON and the CSV only format it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/measuring/program_timing.h"
#include "app/measuring/section_statistics.h"
#include "app/programs/program_set.h"
#include "app/results/net_result.h"

// The five rates in base units: per second, no prefix, bytes not GB.
struct RatesPerSecond {
    double instructions, pixels, flops, texels, bytes;
};

// The same rates as the result block shows them: the first four in the
// run's prefix, the last in GB of 2^30 bytes per second.
struct BlockRates {
    double instructions, pixels, flops, texels, gigabytes;
};

struct TestResult {
    SetTest test;               // label, per-pixel figures, program shape and digest
    int instructionMultiplier;  // 4 in vector-and-scalar mode: each instruction counts four times
    TimedProgram timed;
    SectionSummary sections;            // the median is the test's time
    std::uint64_t fragmentsPerSection;  // what a section shades when every fragment is
    RatesPerSecond perSecond;           // all 0 for a section without time
    BlockRates block;
    std::optional<NetResult> net;  // with net figures only
};

// The result of `test` timed as `timed`, its rates from the median section:
// the work of the whole section, pixels x per-pixel work (the instructions
// x `instructionMultiplier`) x iterations, in 64 bits, over its time. Work
// beyond 64 bits raises the overflow error.
TestResult testResult(const SetTest& test, int instructionMultiplier, std::uint8_t prefix,
                      const TimedProgram& timed);

// What a latency section of the -M test measured and its throughput.
struct LatencyResult {
    int outputs;
    int components;
    TimedProgram timed;
    SectionSummary sections;
    std::uint64_t fragmentsPerSection;
    double bytes;           // per section: components x 4 bytes per output, over the drawn frame
    double bytesPerSecond;  // 0 for a section without time
    double gigabytesPerSecond;
};

LatencyResult latencyResult(int outputs, int components, const TimedProgram& timed);

// What a run measured, from its start (UTC, ISO 8601).
struct RunResults {
    std::string startedUtc;
    std::vector<TestResult> tests;
    std::vector<LatencyResult> latency;
    std::string windowSystem{};  // how the context was reached: "egl", "glx" or "wgl"
};
