// The files a run writes its results to: korvex_results.txt, and those of
// --json and --csv.
#pragma once

#include <string>
#include <vector>

#include "app/options/run_options.h"
#include "app/results/result_style.h"
#include "app/results/test_result.h"
#include "bench/settings.h"

// Before anything opens. Two outputs that are one file, or a --json or --csv
// file that is one of `inputs` (the files the run reads), write one line on
// standard error that names them, and stop with exit code 2. An output that
// cannot be written raises its create error, so that a long run cannot end
// in "cannot write".
void checkResultFiles(const BenchSettings& settings, const RunOptions& options,
                      const std::vector<std::string>& inputs);

// Writes the run's outputs, each replaced in one step: the result lines to
// korvex_results.txt (not in a -M run, which has none), then `run` to the
// files the options name, the warnings as the result lines wrote them in
// `style`. Every one is tried; then one create error names each that failed.
void saveResultFiles(const RunResults& run, const BenchSettings& settings, const RunOptions& options,
                     const ResultStyle& style);
