// Which tests a run has, in which order, and which instruction each is about.
#pragma once

#include <cstdint>

#include "bench/settings.h"

// All-instructions mode: -a without -V. Otherwise one test from fasm_1.txt.
bool allInstructionsMode(const BenchSettings& settings);
// The number of tests of all-instructions mode: ARB 25, 26 or 29 by NV
// option, FP1 22, FP2 25, FP4 29.
int allInstructionsCount(const BenchSettings& settings);
// The instruction of test `test` in all-instructions mode: arbTestList for
// the ARB and FP4 profiles, nvTestList for FP1 and FP2.
std::uint8_t listedInstruction(const BenchSettings& settings, int test);
