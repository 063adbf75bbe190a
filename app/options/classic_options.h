// The classic options: each asked for in a fixed order, with a letter and a
// long name; a value that is missing or not accepted leaves the setting as
// it was, without a word.
#pragma once

#include <string>
#include <vector>

#include "bench/settings.h"

// Fills `settings` from the options, each asked for in the fixed order.
void applyOptions(const std::vector<std::string>& parameters, BenchSettings& settings);

// Prints the usage text for exactly 30 parameters or -h/--help, else the
// disclaimer for -d, and stops with exit code 0; returns otherwise.
void stopForUsageOrDisclaimer(const std::vector<std::string>& parameters);
