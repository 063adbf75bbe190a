#include "app/programs/net_program_set.h"

#include <algorithm>

#include "app/programs/compile_program.h"
#include "app/programs/program_limits.h"
#include "app/programs/test_list.h"

bool netFiguresWanted(const BenchSettings& settings, const RunOptions& options) {
    return options.net && allInstructionsMode(settings);
}

std::vector<NetTestPrograms> assembleNetVariants(const BenchSettings& settings,
                                                 const std::vector<ProgramSource>& testSources) {
    std::vector<NetTestPrograms> net;
    for (std::size_t test = 0; test < testSources.size(); ++test) {
        NetTestPrograms programs;
        programs.set = generateNetVariants(listedInstruction(settings, static_cast<int>(test)), settings,
                                           programLimits.maxInstructions);
        const std::vector<NetVariant>& variants = programs.set.variants;
        for (std::size_t v = 0; v < variants.size(); ++v)
            if (variants[v].program.source == testSources[test]) programs.testVariant = static_cast<int>(v);
        net.push_back(std::move(programs));
    }
    return net;
}

int netIndirections(const std::vector<NetTestPrograms>& net) {
    int most = 0;
    for (const NetTestPrograms& programs : net)
        for (const NetVariant& variant : programs.set.variants)
            most = std::max(most, variant.program.work.textureIndirections);
    return most;
}

std::vector<ProgramSource> netVariantSources(const std::vector<NetTestPrograms>& net) {
    std::vector<ProgramSource> sources;
    for (const NetTestPrograms& programs : net) {
        for (std::size_t v = 0; v < programs.set.variants.size(); ++v)
            if (static_cast<int>(v) != programs.testVariant)
                sources.push_back(programs.set.variants[v].program.source);
    }
    return sources;
}

void compileNetVariants(std::vector<NetTestPrograms>& net, const std::vector<GLuint>& testIds,
                        GLenum target) {
    for (std::size_t test = 0; test < net.size(); ++test) {
        NetTestPrograms& programs = net[test];
        programs.ids.assign(programs.set.variants.size(), 0);
        for (std::size_t v = 0; v < programs.set.variants.size(); ++v) {
            ProgramSource& source = programs.set.variants[v].program.source;
            programs.ids[v] = static_cast<int>(v) == programs.testVariant ? testIds.at(test)
                                                                          : compileProgram(target, source);
            source.clear();
        }
    }
}
