// A generated test's net figures: its variants timed like the test itself,
// right after it, and the fit through their times.
#pragma once

#include "app/measuring/program_timing.h"
#include "app/programs/net_program_set.h"
#include "app/results/net_result.h"
#include "app/results/test_result.h"

// Times the variants of test `test` with `timer`, each bound and given its
// parameters like the test, the test's own form taking the test's timing,
// and returns them with their fit; a test without variants gets the reason.
NetResult measureNet(int test, const NetTestPrograms& programs, const TestResult& result,
                     const ProgramTimer& timer);
