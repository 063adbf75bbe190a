// A generated test's net figures: its variants timed like the test itself,
// right after it, and the fit through their times.
#pragma once

#include <string>
#include <vector>

#include "app/measuring/program_timing.h"
#include "app/programs/net_program_set.h"
#include "app/results/result_lines.h"
#include "app/results/run_record.h"
#include "bench/net_fit.h"

// The fit through the variants' times per quad (each one's median section
// over its quad count); `timings` holds one entry per variant of `set`.
NetFit fitNetVariants(const NetVariantSet& set, const std::vector<TimedProgram>& timings);

// Times the variants of test `test` (netPrograms) with `policy`, each bound
// and given its parameters like the test, the test's own form taking
// `record.timed`; returns the Net line, or the warning line when there is no
// net cost to trust, which `record.warnings` gets too. `record.net` gets the
// variants' timings and the fit.
std::string measureNetFigures(int test, TestRecord& record, const TimingPolicy& policy,
                              const ResultStyle& style);
