// The JSON results document of a run (format_version 1, the shape of
// docs/results.schema.json): host, GL and driver, settings, then each test's
// sections and rates, and the latency results of -M runs.
#pragma once

#include <nlohmann/json.hpp>

#include "app/results/run_record.h"
#include "bench/settings.h"
#include "platform/host_info.h"

// One test's object; "net" is added when the record carries it.
nlohmann::ordered_json testResultJson(const TestRecord& record);

// Every field of the settings record by its name.
nlohmann::ordered_json settingsOptionsJson(const BenchSettings& settings);

// The whole document for `run`, measured with `settings` on `host`.
nlohmann::ordered_json resultsDocument(const RunRecord& run, const BenchSettings& settings,
                                       const platform::HostInfo& host);
