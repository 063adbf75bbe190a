// Timing one bound program with the run's policy: a fixed count or one
// calibrated to a minimum time, and one or more timed sections of it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/measuring/iteration_calibration.h"
#include "bench/settings.h"

struct TimingPolicy {
    int iterations;    // the fixed count, used when minTimeMs is 0
    double minTimeMs;  // the shortest section; 0 for the fixed count
    int repeat;        // timed sections per program
};

// The run's policy: --min-time, or the fixed count `iterations` (-I), and
// --repeat.
TimingPolicy timingPolicy(const BenchSettings& settings, int iterations);

struct TimedProgram {
    int iterations;                  // the count each section used
    std::vector<double> sectionsMs;  // in run order, one per repetition
    // A section's count that differs from iterations x the frame's pixels
    // when one does, else the count all sections shared; none without a query.
    std::optional<std::uint64_t> fragmentsCounted;
};

// Times the program that is bound now: calibrates the count when the policy
// has a minimum time, then times `repeat` sections back to back, telling the
// progress line each section and erasing it at the end. `timeSection` and
// `sectionFragments` stand in for timedDraw and lastFragmentCount in tests.
TimedProgram timeBoundProgram(const TimingPolicy& policy);
TimedProgram timeBoundProgram(const TimingPolicy& policy, const SectionTimer& timeSection,
                              const std::function<std::optional<std::uint64_t>()>& sectionFragments);
