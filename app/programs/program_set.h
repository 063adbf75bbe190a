// The program set of a run: its tests in order, each one's program text,
// figures, shape and digest, and the net variants when the run wants them.
#pragma once

#include <string>
#include <vector>

#include "app/programs/net_program_set.h"
#include "app/programs/program_shape.h"
#include "app/programs/test_figures.h"
#include "bench/program_text.h"
#include "bench/settings.h"
#include "gl/gl_types.h"

// One entry per test, index = test number. The texts live until they are
// compiled, the object names to the end of the process.
extern std::vector<ProgramSource> programSources;
extern std::vector<GLuint> programIds;

// A test of the set; its text is programSources at its number.
struct SetTest {
    TestFigures figures;
    ProgramShape program;
    std::string sha256;  // of the text exactly as the driver receives it
};

struct ProgramSet {
    std::vector<SetTest> tests;
    std::vector<NetTestPrograms> net;  // one per test with net figures; empty otherwise
    // The most texture indirections a generated program of the set needs, by
    // ARB_fragment_program's count; 0 for the single test from fasm_1.txt.
    int indirections = 0;
};

// The file the single test's program is read from: fasm_1.txt, where the
// run finds it.
std::string singleTestProgramFile();

// Sets programCount, fills programSources and sizes programIds, and returns
// the set: the single test from fasm_1.txt with the "Blur" figures, or one
// generated program per listed instruction, labelled with its name, with
// their net variants when `netFigures`. Then writes the texts, the tests'
// then the variants', to the screen and to disk as `output` asks. A
// generated text is never empty.
ProgramSet assembleProgramSet(BenchSettings& settings, bool netFigures);
