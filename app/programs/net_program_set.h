// The net variants of a run's generated tests (--net): each test's programs
// at other lengths and without the tested instruction, from their texts to
// their program objects.
#pragma once

#include <vector>

#include "app/options/run_options.h"
#include "bench/fpgen/net_variants.h"
#include "bench/program_text.h"
#include "bench/settings.h"
#include "gl/gl_types.h"

struct NetTestPrograms {
    NetVariantSet set;        // the texts live until they are compiled
    std::vector<GLuint> ids;  // one per variant once compiled
    // The variant whose text is the test's own: it is neither written nor
    // compiled again, and the test's timing stands for it. -1 for none.
    int testVariant = -1;
};

// --net in all-instructions mode; the option means nothing to the single test.
bool netFiguresWanted(const BenchSettings& settings, const RunOptions& options);

// One entry per test of `testSources`, each test's variants generated with
// the test's own settings. Raises what the generator raises.
std::vector<NetTestPrograms> assembleNetVariants(const BenchSettings& settings,
                                                 const std::vector<ProgramSource>& testSources);

// The most texture indirections any variant needs; 0 for none.
int netIndirections(const std::vector<NetTestPrograms>& net);

// The texts that -o writes after the tests' own: every test's variants in
// order, leaving out each test's own text.
std::vector<ProgramSource> netVariantSources(const std::vector<NetTestPrograms>& net);

// Compiles every variant on `target` and releases its text; the test's own
// form takes the test's object from `testIds`.
void compileNetVariants(std::vector<NetTestPrograms>& net, const std::vector<GLuint>& testIds, GLenum target);
