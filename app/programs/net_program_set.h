// The net variants of a run's generated tests (--net): each test's programs
// at other lengths and without the tested instruction, from their texts to
// their program objects.
#pragma once

#include <vector>

#include "bench/fpgen/net_variants.h"
#include "bench/program_text.h"
#include "bench/settings.h"
#include "gl/gl_types.h"

struct NetTestPrograms {
    NetVariantSet set;
    std::vector<GLuint> ids;  // one per variant once compiled
    // The variant whose text is the test's own: it is neither written nor
    // compiled again, and the test's timing stands for it. -1 for none.
    int testVariant = -1;
};

// One entry per test, index = test number; empty when the run has no net
// figures. The texts live until they are compiled.
extern std::vector<NetTestPrograms> netPrograms;

// --net in all-instructions mode; the option means nothing to the single test.
bool netFiguresWanted(const BenchSettings& settings);

// Fills netPrograms for the program set just assembled under `settings`,
// each test's variants generated with the test's own settings, or empties
// it when the run wants no net figures. Raises what the generator raises.
void assembleNetVariants(const BenchSettings& settings);

// The texts that -o writes after the tests' own: every test's variants in
// order, leaving out each test's own text.
std::vector<ProgramSource> netVariantSources();

// Compiles every variant on `target`; the test's own form takes the test's
// program object, so call it after the tests are compiled.
void compileNetVariants(GLenum target);
