// The lines of a precision goal (--precision): the interval the sections
// reached, and a warning when they stopped before it was tight enough.
#pragma once

#include <optional>
#include <string>

#include "app/measuring/program_timing.h"

// "Interval: 95% confidence, X ms to Y ms, within R% of the median (target
// P%)", each time in the result line's "%4.4f" form; "Interval: none at 95%
// confidence from N runs (target P%)" with too few sections for one; nothing
// without a goal.
std::optional<std::string> intervalLine(const TimedProgram& timed, const std::string& decimalSeparator);

// "Warning: the runs stopped at --max-time after N, with the interval within
// R% of the median, not P%" (or "too few for a 95% interval"), and the same
// for the most runs a test takes; nothing when the goal was met.
std::optional<std::string> precisionWarning(const TimedProgram& timed, const std::string& decimalSeparator);
