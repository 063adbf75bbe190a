// The program set of a run: how many tests it has, in which order, which
// instruction each is about, and each test's program text and figures.
#pragma once

#include <cstdint>
#include <vector>

#include "app/results/result_lines.h"
#include "bench/program_text.h"
#include "bench/settings.h"
#include "gl/gl_types.h"

// One entry per test, index = test number. The texts live until they are
// compiled; the object names and figures to the end of the process.
extern std::vector<ProgramSource> programSources;
extern std::vector<GLuint> programIds;
extern std::vector<TestFigures> testFigures;
// The SHA-256 of each text exactly as the driver receives it.
extern std::vector<std::string> programDigests;
// The instruction of the program being assembled.
extern std::uint8_t currentInstruction;
// The most texture indirections a generated program of the set needs, by
// ARB_fragment_program's count; 0 for the single test from fasm_1.txt.
extern int programSetIndirections;

// All-instructions mode: -a without -V. Otherwise one test from fasm_1.txt.
bool allInstructionsMode(const BenchSettings& settings);
// The number of tests of all-instructions mode: ARB 25, 26 or 29 by NV
// option, FP1 22, FP2 25, FP4 29.
int allInstructionsCount(const BenchSettings& settings);
// The instruction of test `test` in all-instructions mode: arbTestList for
// the ARB and FP4 profiles, nvTestList for FP1 and FP2.
std::uint8_t listedInstruction(const BenchSettings& settings, int test);

// Sets programCount and fills the texts and figures: the single test from
// fasm_1.txt with the "Blur" figures, or one generated program per listed
// instruction, labelled with its name, and their net variants when the run
// wants them. Then writes the texts, the tests' then the variants', to the
// screen and to disk as `output` asks. A generated text is never empty.
void assembleProgramSet(BenchSettings& settings);
