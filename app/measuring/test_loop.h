// The tests of a run: each binds its program, sets its parameters, is timed
// and adds its result lines, and the whole list is shown after every test.
#pragma once

#include <vector>

#include "app/measuring/program_timing.h"
#include "app/programs/compiled_set.h"
#include "app/results/result_lines.h"
#include "app/results/test_result.h"

// The result lines of the run, kept to the end of the process.
extern ResultLines resultLines;

// Runs test 0 to programCount - 1 of `programs` with `timer` and returns
// their results. A counted timed section that did not shade every fragment
// adds the warning line after its block; with net figures the test's
// variants are timed right after it, and the Net line (or its warning)
// comes last. When the policy interleaves, every test and variant is timed
// in rounds first, and the results then follow in test order.
std::vector<TestResult> runTests(const CompiledSet& programs, const ProgramTimer& timer,
                                 const ResultStyle& style);
