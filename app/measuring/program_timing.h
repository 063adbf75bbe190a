// Timing one bound program with the run's policy: a fixed count or one
// calibrated to a minimum time, and one or more timed sections of it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/measuring/progress_line.h"
#include "app/measuring/timed_draw.h"
#include "app/options/run_options.h"

struct TimingPolicy {
    int iterations;    // the fixed count, used when minTimeMs is 0
    double minTimeMs;  // the shortest section; 0 for the fixed count
    int repeat;        // timed sections per program
};

// The run's policy: --min-time, or the fixed count `iterations` (-I), and
// --repeat.
TimingPolicy timingPolicy(const RunOptions& options, int iterations);

// Draws one timed section of the given number of quads.
using SectionDraw = std::function<DrawnSection(int iterations)>;

// timedDraw with the run's way of counting fragments, telling `progress` of
// the quads it submits.
SectionDraw sectionDraw(const FragmentCounting& counting, ProgressLine& progress);

// How a run times a program: its policy, how a section is drawn, and where
// the progress shows.
struct ProgramTimer {
    TimingPolicy policy;
    SectionDraw draw;
    ProgressLine& progress;
};

struct TimedProgram {
    int iterations;                  // the count each section used
    std::vector<double> sectionsMs;  // in run order, one per repetition
    // A section's count that differs from iterations x the frame's pixels
    // when one does, else the count all sections shared; none without a query.
    std::optional<std::uint64_t> fragmentsCounted;
};

// Times the program that is bound now: calibrates the count when the policy
// has a minimum time, then times `repeat` sections back to back, telling the
// progress line each section and erasing it at the end.
TimedProgram timeBoundProgram(const ProgramTimer& timer);
