// A generated test's net figures (--net): every variant's timing, the fit
// through them and what it gives per pixel and per second, computed once.
#pragma once

#include <string>
#include <vector>

#include "app/measuring/program_timing.h"
#include "bench/fpgen/net_variants.h"
#include "bench/net_fit.h"

// A fit in the units a reader compares: per pixel and per second, in base
// units.
struct NetFigures {
    double nsPerPixelInstruction = 0.0;
    double instructionsPerSecond = 0.0;
    double flopsPerSecond = 0.0;  // from the instruction's own flops only
};

NetFigures netFigures(const NetFit& fit, int testedFlops);

struct NetVariantResult {
    int length;
    int testedInstructions;
    int helperInstructions;
    bool helpersOnly;
    TimedProgram timed;
    double medianMs;
};

struct NetResult {
    std::string unavailable;  // why the test has no variants; empty when they were timed
    std::vector<int> lengths;
    std::vector<NetVariantResult> variants;
    NetFit fit;
    NetFigures figures;
    bool trusted() const { return unavailable.empty() && fit.verdict == NetVerdict::trusted; }
};

// The variants of `set` with their timings (one per variant, in order), the
// fit through each one's median section per quad, and its figures.
NetResult netResult(const NetVariantSet& set, const std::vector<TimedProgram>& timings);
