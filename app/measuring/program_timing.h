// Timing one bound program with the run's policy: a fixed count or one
// calibrated to a minimum time, and one or more timed sections of it, a
// fixed number or as many as a precision goal needs.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/measuring/progress_line.h"
#include "app/measuring/stopping_rule.h"
#include "app/measuring/timed_draw.h"
#include "app/options/run_options.h"

struct TimingPolicy {
    int iterations;    // the fixed count, used when minTimeMs is 0
    double minTimeMs;  // the shortest section; 0 for the fixed count
    int repeat;        // timed sections per program
    // With a goal the sections go on until it is met; its fewest already
    // count `repeat`.
    std::optional<PrecisionGoal> precision = std::nullopt;
    bool interleave = false;  // the tests' sections take turns, in rounds
};

// The fewest sections a program takes with a precision goal.
constexpr int fewestPrecisionSections = 5;

// The run's policy: --min-time, or the fixed count `iterations` (-I),
// --repeat, and --precision with --max-time (at least
// fewestPrecisionSections and --repeat sections, at most mostRepeats), and
// --interleave.
TimingPolicy timingPolicy(const RunOptions& options, int iterations);

// Draws one timed section of the given number of quads.
using SectionDraw = std::function<DrawnSection(int iterations)>;

// timedDraw with the run's way of counting fragments, telling `progress` of
// the quads it submits, and what the whole section cost.
SectionDraw sectionDraw(const FragmentCounting& counting, ProgressLine& progress);

// What a section cost: its wall-clock cost, or its time where that is all
// there is.
double sectionCost(const DrawnSection& section);

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
    // How the sections met the precision goal; none without one.
    std::optional<PrecisionOutcome> precision = std::nullopt;
};

// The sections the progress line gives as a program's total: `repeat`, or 0
// where a precision goal leaves it open.
int runsShown(const TimingPolicy& policy);

// The timed sections of one program as they come in, until the policy has
// enough of them.
class SectionSeries {
public:
    // Sections of `iterations` quads, after `spentMs` of calibration.
    SectionSeries(const TimingPolicy& policy, int iterations, double spentMs);
    bool wantsMore() const { return wantsMore_; }
    int iterations() const { return timed_.iterations; }
    void add(const DrawnSection& section);
    const TimedProgram& timed() const { return timed_; }

private:
    TimingPolicy policy_;
    TimedProgram timed_;
    double spentMs_;
    bool wantsMore_ = true;
};

// Starts the sections of the program that is bound now: calibrates its count
// when the policy has a minimum time, else draws one section of a quad
// first when `warmUp`, outside the sections.
SectionSeries startSections(const ProgramTimer& timer, bool warmUp);

// Times the program that is bound now: startSections, then sections back to
// back until the policy has enough, telling the progress line each section
// and erasing it at the end.
TimedProgram timeBoundProgram(const ProgramTimer& timer);
