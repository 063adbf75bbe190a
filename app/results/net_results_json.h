// The "net" object of a test in the JSON results: every variant's timings,
// the fit, and the net rates where the fit is trusted.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "app/measuring/program_timing.h"
#include "bench/fpgen/net_variants.h"
#include "bench/net_fit.h"

// `timings` holds one entry per variant of `set`. The rates are null unless
// the fit is trusted; a fit figure that is no finite number is null too.
nlohmann::ordered_json netResultJson(const NetVariantSet& set, const std::vector<TimedProgram>& timings,
                                     const NetFit& fit);
