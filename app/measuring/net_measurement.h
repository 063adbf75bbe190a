// A generated test's net figures: its variants timed like the test itself,
// and the fit through their times.
#pragma once

#include <vector>

#include "app/measuring/program_timing.h"
#include "app/programs/net_program_set.h"
#include "app/results/net_result.h"

// The net result of a test from the timings of its programsOfTest: the
// test's own first, standing for its own form, then its other variants' in
// order; a test without variants gets the reason.
NetResult measuredNet(const NetTestPrograms& programs, const std::vector<TimedProgram>& timings);
