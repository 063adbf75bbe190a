// The machine-readable result files of --json and --csv.
#pragma once

#include "app/options/run_options.h"
#include "app/results/result_style.h"
#include "app/results/test_result.h"
#include "bench/settings.h"

// Raises the create error for a named result file that cannot be written,
// so a long run cannot end in "cannot write".
void checkResultFiles(const RunOptions& options);

// Writes `run` to the files the options name, each replaced in one step; the
// warnings as the result lines wrote them in `style`.
void saveResultFiles(const RunResults& run, const BenchSettings& settings, const RunOptions& options,
                     const ResultStyle& style);
