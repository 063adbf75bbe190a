// The program set of a run: its tests in order, each one's program text,
// figures, shape and digest, and the net variants when the run wants them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/programs/compile_program.h"
#include "app/programs/net_program_set.h"
#include "app/programs/program_files.h"
#include "app/programs/program_shape.h"
#include "app/programs/test_figures.h"
#include "bench/program_text.h"
#include "bench/settings.h"
#include "gl/gl_types.h"

// One entry per test, index = test number. The texts live until they are
// compiled, the object names to the end of the process.
extern std::vector<ProgramSource> programSources;
extern std::vector<GLuint> programIds;

// A program file's work as counted from its text, and whether --work gave
// the test's figures instead.
struct FileWork {
    CountedWork counted;
    bool given;
};

// A test of the set; its text is programSources at its number.
struct SetTest {
    TestFigures figures;
    ProgramShape program;
    std::string sha256;                 // of the text exactly as the driver receives it
    std::optional<FileWork> file = {};  // program files only
    ProgramBuild build = {};            // filled when the set is compiled

    // Whether the figures are the work that runs: not for a program file
    // with flow control whose work --work did not give.
    bool workKnown() const { return !file || file->given || !file->counted.flowControl; }
};

struct ProgramSet {
    std::vector<SetTest> tests;
    std::vector<NetTestPrograms> net;  // one per test with net figures; empty otherwise
    // The most texture indirections a generated program of the set needs, by
    // ARB_fragment_program's count; 0 for the single test from fasm_1.txt.
    int indirections = 0;
};

// The program files of a run and the work --work gives them all.
struct ProgramFileTests {
    std::vector<ProgramFile> files;  // empty for the classic tests
    std::optional<PerPixelWork> work;
};

// The file the single test's program is read from: fasm_1.txt, where the
// run finds it.
std::string singleTestProgramFile();

// Sets programCount, fills programSources and sizes programIds, and returns
// the set: one test per program file, labelled with its name, with the
// counted figures or those --work gives; else the single test from
// fasm_1.txt with the "Blur" figures, or one generated program per listed
// instruction, labelled with its name, with their net variants when
// `netFigures`. Then writes the texts, the tests' then the variants', to
// the screen and to disk as `output` asks. A generated text is never empty.
ProgramSet assembleProgramSet(BenchSettings& settings, bool netFigures, const ProgramFileTests& fileTests);
