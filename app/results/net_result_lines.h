// The line after a generated test's block that gives the net cost of its
// instruction, or a warning line where there is none to trust.
#pragma once

#include <string>

#include "app/results/net_result.h"
#include "app/results/result_style.h"

// For a trusted fit, for example "Net MAD: 4.21 GInstr/sec, 33.7 GFlops/sec
// (0.238 ns per pixel-instruction; fixed 0.310 ms per quad; lengths 32, 64,
// 128; r2 0.9998)", rates in the style's prefix; otherwise a warning line
// that says why, with no net cost in it.
std::string netResultLine(const std::string& label, const NetResult& net, const ResultStyle& style);
