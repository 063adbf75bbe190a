#include "app/programs/net_program_set.h"

#include <algorithm>

#include "app/programs/compile_program.h"
#include "app/programs/program_limits.h"
#include "app/programs/program_set.h"

std::vector<NetTestPrograms> netPrograms;

bool netFiguresWanted(const BenchSettings& settings) {
    return settings.net != 0 && allInstructionsMode(settings);
}

void assembleNetVariants(const BenchSettings& settings) {
    netPrograms.clear();
    if (!netFiguresWanted(settings)) return;
    for (int test = 0; test < settings.programCount; ++test) {
        NetTestPrograms programs;
        programs.set =
            generateNetVariants(listedInstruction(settings, test), settings, programLimits.maxInstructions);
        const std::vector<NetVariant>& variants = programs.set.variants;
        for (std::size_t v = 0; v < variants.size(); ++v) {
            if (variants[v].program.source == programSources[static_cast<std::size_t>(test)])
                programs.testVariant = static_cast<int>(v);
            programSetIndirections =
                std::max(programSetIndirections, variants[v].program.work.textureIndirections);
        }
        programs.ids.assign(variants.size(), 0);
        netPrograms.push_back(std::move(programs));
    }
}

std::vector<ProgramSource> netVariantSources() {
    std::vector<ProgramSource> sources;
    for (const NetTestPrograms& programs : netPrograms) {
        for (std::size_t v = 0; v < programs.set.variants.size(); ++v)
            if (static_cast<int>(v) != programs.testVariant)
                sources.push_back(programs.set.variants[v].program.source);
    }
    return sources;
}

void compileNetVariants(GLenum target) {
    for (std::size_t test = 0; test < netPrograms.size(); ++test) {
        NetTestPrograms& programs = netPrograms[test];
        for (std::size_t v = 0; v < programs.set.variants.size(); ++v) {
            ProgramSource& source = programs.set.variants[v].program.source;
            programs.ids[v] = static_cast<int>(v) == programs.testVariant ? programIds[test]
                                                                          : compileProgram(target, source);
            source.clear();
        }
    }
}
