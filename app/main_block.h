// The main block: korvex's own options, usage or disclaimer, else the classic
// options and the program files, then the run.
#pragma once

#include <string>
#include <vector>

// Runs the main block on the parameters and returns the exit code; orderly
// stops and unhandled errors leave it as exceptions.
int korvexMain(const std::vector<std::string>& parameters);
