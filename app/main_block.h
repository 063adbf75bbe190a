// The main block: usage or disclaimer, else the options, then the run.
#pragma once

#include <string>
#include <vector>

#include "bench/settings.h"

// Fills `settings` from the options, each asked for in the fixed order.
void applyOptions(const std::vector<std::string>& parameters, BenchSettings& settings);

// Prints the usage or the disclaimer text and stops when the parameters ask
// for one; returns otherwise.
void stopForUsageOrDisclaimer(const std::vector<std::string>& parameters);

// Runs the main block on the parameters and returns the exit code; orderly
// stops and unhandled errors leave it as exceptions.
int korvexMain(const std::vector<std::string>& parameters);
