// runBenchmark: one run, from window creation to close-down.
#pragma once

#include <cstdint>

void runBenchmark(int width, int height, int components, std::uint8_t instruction, int iterations);
