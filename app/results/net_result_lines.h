// The line after a generated test's block that gives the net cost of its
// instruction, or a warning line where there is none to trust.
#pragma once

#include <string>
#include <vector>

#include "app/results/result_lines.h"
#include "bench/net_fit.h"

// A fit in the units a reader compares: per pixel and per second, in base
// units.
struct NetFigures {
    double nsPerPixelInstruction = 0.0;
    double instructionsPerSecond = 0.0;
    double flopsPerSecond = 0.0;  // from the instruction's own flops only
};

NetFigures netFigures(const NetFit& fit, int testedFlops);

// For a trusted fit, for example "Net MAD: 4.21 GInstr/sec, 33.7 GFlops/sec
// (0.238 ns per pixel-instruction; fixed 0.310 ms per quad; lengths 32, 64,
// 128; r2 0.9998)", rates in the style's prefix; otherwise a warning line
// that says why, with no net cost in it.
std::string netResultLine(const std::string& label, const NetFit& fit, const std::vector<int>& lengths,
                          int testedFlops, const ResultStyle& style);

// The warning line for a test that has no variants, with the reason the
// generator gave.
std::string netUnavailableLine(const std::string& label, const std::string& reason);
