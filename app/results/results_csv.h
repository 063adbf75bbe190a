// The CSV results of a run: a header row, then one row per test (or per
// latency measurement on -M runs), RFC 4180 quoting, CR LF line ends, times
// in seconds and rates per second.
#pragma once

#include <string>

#include "app/results/result_style.h"
#include "app/results/test_result.h"

// A field as RFC 4180 writes it: in double quotes, with quotes doubled, when
// it holds a comma, a quote, CR or LF; else as it is.
std::string csvField(const std::string& text);

// The warnings as the result lines wrote them in `style`.
std::string resultsCsv(const RunResults& run, const ResultStyle& style);
