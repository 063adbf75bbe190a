// A generated program: its text and what one pixel of it costs.
#pragma once

#include "bench/program_text.h"

// What one pixel of a program costs, by the generator's own accounting.
struct ProgramWork {
    int instructions = 0;         // tested ALU instructions plus every other instruction run
    int testedInstructions = 0;   // runs of the tested instruction: the length
    int helperInstructions = 0;   // runs of the helpers that keep its chains from folding
    int flops = 0;                // floating-point operations
    int texels = 0;               // texture fetches
    int bytesWritten = 0;         // 4 x components x outputs
    int textureIndirections = 1;  // by ARB_fragment_program's count
};

struct GeneratedProgram {
    ProgramSource source;
    ProgramWork work;
};
