// The program generator: one fragment program per ALU instruction, in the
// language of the chosen profile, shaped by the program settings.
#pragma once

#include <cstdint>
#include <string>

#include "bench/program_text.h"
#include "bench/settings.h"

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

// The program that measures `instruction` under `settings` (profile, NV
// option and every program setting). The text compiles for the profile's
// target wherever the driver offers the language.
GeneratedProgram generateProgram(std::uint8_t instruction, const BenchSettings& settings);
