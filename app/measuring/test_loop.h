// The tests of a run: each binds its program, sets its parameters, runs the
// timed draw and adds its result block, and the whole list is shown after
// every test.
#pragma once

#include "app/results/result_lines.h"

// The result lines of the run, kept to the end of the process.
extern ResultLines resultLines;

// Runs test 0 to programCount - 1 of the program set with `iterations`.
// A counted timed section that did not shade every fragment adds the
// warning line after its block; with net figures the Net line (or its
// warning) comes last.
void runTests(int iterations);

// Writes the result lines to "korvex_results.txt", replacing it.
void saveResults();
