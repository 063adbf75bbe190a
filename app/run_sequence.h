// runBenchmark: one run, from window creation to close-down.
#pragma once

#include <cstdint>

#include "app/options/run_options.h"

// The classic arguments, then korvex's own options for every step.
void runBenchmark(int width, int height, int components, std::uint8_t instruction, int iterations,
                  const RunOptions& options);
