#include "app/programs/compiled_set.h"

#include "app/programs/compile_program.h"
#include "bench/tables.h"

CompiledSet compileProgramSet(ProgramSet set, std::uint8_t profile) {
    const GLenum target = programTarget(profile);
    for (std::size_t test = 0; test < programSources.size(); ++test) {
        programIds[test] = compileProgram(target, programSources[test]);
        programSources[test].clear();
    }
    compileNetVariants(set.net, programIds, target);
    return {std::move(set.tests), std::move(set.net)};
}
