// The capability report of option -g: the GL strings, the driver's strings
// and the fragment-program limits, with the NV blocks on NVIDIA drivers.
#pragma once

#include <string>
#include <vector>

#include "app/programs/program_limits.h"

// The report's lines, from the identification strings of marlune_gpu, the
// test lists of benchSettings and `limits`; `gpuid` 2 adds the extension
// string.
std::vector<std::string> capabilityReportLines(const ProgramLimits& limits, int gpuid);

// Writes the report of programLimits for benchSettings.gpuid.
void printCapabilityReport();
