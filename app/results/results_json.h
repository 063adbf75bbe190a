// The JSON results document of a run (format_version 2, the shape of
// tools/korvex-results-package/korvex_results/results.schema.json): host, GL
// and driver, the run's policy, then each test's program, sections and rates,
// and the latency results of -M runs.
#pragma once

#include <nlohmann/json.hpp>

#include "app/options/run_options.h"
#include "app/programs/program_shape.h"
#include "app/results/result_style.h"
#include "app/results/test_result.h"
#include "bench/settings.h"
#include "platform/host_info.h"

// What the program of a test is, by documented names and values.
nlohmann::ordered_json programJson(const ProgramShape& shape);

// One test's object; "net" is added when the test has net figures.
nlohmann::ordered_json testResultJson(const TestResult& result, const ResultStyle& style);

// The whole document for `run`, measured with `settings` and `options` on
// `host`; the warnings as the result lines wrote them in `style`.
nlohmann::ordered_json resultsDocument(const RunResults& run, const BenchSettings& settings,
                                       const RunOptions& options, const ResultStyle& style,
                                       const platform::HostInfo& host);
