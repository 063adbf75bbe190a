// The program set once the driver has it: every test's object, and the net
// variants' objects when the run wants net figures.
#pragma once

#include <cstdint>
#include <vector>

#include "app/programs/program_set.h"

struct CompiledSet {
    std::vector<SetTest> tests;        // their objects are programIds, index = test number
    std::vector<NetTestPrograms> net;  // their objects are in ids; empty without net figures
};

// Compiles every test's text into programIds, then the net variants, on the
// profile's target, releasing each text as it goes. A text the driver
// rejects stops the run as compileProgram says.
CompiledSet compileProgramSet(ProgramSet set, std::uint8_t profile);
