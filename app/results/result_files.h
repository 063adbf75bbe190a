// The machine-readable result files of --json and --csv.
#pragma once

#include "app/results/run_record.h"
#include "bench/settings.h"

// Raises the create error for a named result file that cannot be written,
// so a long run cannot end in "cannot write".
void checkResultFiles(const BenchSettings& settings);

// Writes runRecord to the files the settings name, each replaced in one step.
void saveResultFiles(const BenchSettings& settings);
