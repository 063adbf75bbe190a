#include "app/run_sequence.h"

void runBenchmark(int, int, int, std::uint8_t, int) {}
