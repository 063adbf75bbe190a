// Timing several programs in rounds: each round times one section of every
// program that wants more, in turn, so that a drift of the machine's speed
// lands on all of them alike instead of on the ones timed last.
#pragma once

#include <vector>

#include "app/measuring/program_timing.h"
#include "app/measuring/programs_to_time.h"

// Binds and starts each of `programs` (calibration, or a one-quad warm-up
// with a fixed count) before the first round, then times rounds until none
// wants more sections, binding each program before its section. Returns
// their timings in the order of `programs`.
std::vector<TimedProgram> timeInRounds(const std::vector<ProgramToTime>& programs, const ProgramTimer& timer);
