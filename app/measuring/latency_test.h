// The latency and bandwidth test of option -M: the first program writes to
// several draw buffers at once, and the run ends after its two lines.
#pragma once

#include <vector>

#include "app/measuring/program_timing.h"
#include "app/results/test_result.h"

// Prints "%4.4f ms latency" and "%4.4f GB/sec" for each surface side of the
// settings' range, from the median section with its spread line after
// several, and returns what it measured.
std::vector<LatencyResult> latencyBandwidthTest(const ProgramTimer& timer);
