// runBenchmark: one run, from window creation to close-down.
#pragma once

#include <cstdint>

#include "app/options/run_options.h"
#include "app/programs/program_set.h"

// The classic arguments, then korvex's own options for every step and the
// program files that replace the classic tests when there are any.
void runBenchmark(int width, int height, int components, std::uint8_t instruction, int iterations,
                  const RunOptions& options, const ProgramFileTests& fileTests);
