// The measurement options: long forms only, so that no specified letter is
// taken, each value read from the next parameter.
#pragma once

#include <string>
#include <vector>

#include "bench/settings.h"

// Moves --repeat N (1 to mostRepeats), --min-time S (seconds, above 0 up to
// longestMinTime), --json FILE, --csv FILE, --no-progress and --net, exact case,
// into `settings`, and returns the other parameters in order, for the
// specified options. An option with a value takes the next parameter
// whatever it is; a missing or out-of-range value leaves the setting as it
// was. A later occurrence overrides an earlier one.
std::vector<std::string> takeMeasurementOptions(const std::vector<std::string>& parameters,
                                                BenchSettings& settings);

// A decimal number of seconds, or a negative number when `text` is none.
double parseSeconds(const std::string& text);
