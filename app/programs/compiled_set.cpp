#include "app/programs/compiled_set.h"

#include "app/programs/compile_program.h"
#include "base/console.h"
#include "base/errors.h"
#include "bench/tables.h"

CompiledSet compileProgramSet(ProgramSet set, std::uint8_t profile) {
    const GLenum target = programTarget(profile);
    for (std::size_t test = 0; test < programSources.size(); ++test) {
        SetTest& setTest = set.tests.at(test);
        try {
            programIds[test] = compileProgram(target, programSources[test], setTest.build);
        } catch (const OrderlyStop&) {
            // Of several program files, the driver's text alone does not say which it refused.
            if (setTest.file) writeLine("The refused program is " + setTest.figures.label);
            throw;
        }
        programSources[test].clear();
    }
    compileNetVariants(set.net, programIds, target);
    return {std::move(set.tests), std::move(set.net)};
}
