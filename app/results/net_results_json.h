// The "net" object of a test in the JSON results: every variant's timings,
// the fit, and the net rates where the fit is trusted.
#pragma once

#include <nlohmann/json.hpp>

#include "app/results/net_result.h"

// For a test whose variants were timed. The rates are null unless the fit is
// trusted; a fit figure that is no finite number is null too.
nlohmann::ordered_json netResultJson(const NetResult& net);
