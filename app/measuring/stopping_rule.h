// When a program with a precision goal has sections enough: as soon as the
// 95% interval of their median lies within the goal, or when its time or
// the number of sections runs out.
#pragma once

#include <optional>
#include <vector>

#include "app/measuring/median_interval.h"

struct PrecisionGoal {
    double targetPct;  // the interval must lie within this percentage of the median
    int fewest;        // sections before the first check
    int most;          // sections at which the program stops in any case
    double maxTimeMs;  // what a program may spend; 0 for no limit
};

// Why the sections ended.
enum class PrecisionStop { converged, timeLimit, sectionLimit };

struct PrecisionOutcome {
    double targetPct;  // the goal's
    PrecisionStop stop;
    std::optional<MedianInterval> interval;  // none with fewer than 6 sections
    double reachPct;                         // intervalReachPercent; infinity without an interval
};

// What ends the sections `sectionsMs`, after `spentMs` spent on the program
// (its calibration and sections, warm-ups included), the last section
// costing `lastCostMs`; none while it takes another. It takes `fewest` at
// least, then stops when the interval lies within the target, when one more
// section that costs as much as the last would take it past maxTimeMs, or
// at `most`.
std::optional<PrecisionOutcome> precisionOutcome(const PrecisionGoal& goal,
                                                 const std::vector<double>& sectionsMs, double spentMs,
                                                 double lastCostMs);
