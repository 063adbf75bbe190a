#include "app/programs/program_set.h"

#include <algorithm>

#include "app/bundled_data.h"
#include "app/programs/program_binding.h"
#include "app/programs/program_limits.h"
#include "app/programs/program_output.h"
#include "app/programs/test_list.h"
#include "base/errors.h"
#include "base/sha256.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/marlune_glwindow.h"
#include "bench/tables.h"

std::vector<ProgramSource> programSources;
std::vector<GLuint> programIds;

std::string singleTestProgramFile() { return bundledDataFile("fasm_1.txt"); }

namespace {

ProgramSet singleTest(BenchSettings& settings) {
    settings.programCount = 1;
    programSources = {loadProgramText(singleTestProgramFile())};
    ProgramSet set;
    set.tests.push_back({blurFigures(), programShape(settings, std::nullopt), ""});
    return set;
}

// Every step of a program is one instruction at least, so a length beyond
// the driver's instruction limit gives programs the driver can only reject,
// and texts whose size grows with the length: an absurd length would fill
// memory, and a driver may spend minutes on such a text before (or instead
// of) refusing it. The FP1.0 and FP2.0 programs fit their language's own
// limit whatever the length.
void checkProgramLength(const BenchSettings& settings) {
    const int most = programLimits.maxInstructions;
    if (usesNvProgramUnit(settings.fragmentProgram) || most <= 0 || settings.length <= most) return;
    stopCannotRun("The programs need at least " + std::to_string(settings.length) +
                      " instructions, the driver runs " + std::to_string(most) + " (Program Instructions)",
                  Release::pixelBufferAndWindow);
}

ProgramSet allInstructions(BenchSettings& settings) {
    checkProgramLength(settings);
    settings.programCount = allInstructionsCount(settings);
    programSources.clear();
    ProgramSet set;
    for (int test = 0; test < settings.programCount; ++test) {
        const std::uint8_t instruction = listedInstruction(settings, test);
        GeneratedProgram program = generateProgram(instruction, settings);
        // An empty text would be printed, saved and handed to the driver as a
        // program; no part of the run can measure it.
        if (program.source.empty())
            throw KorvexError(ErrorKind::general,
                              std::string("No program text for ") + instructionName(instruction));
        const ProgramWork& work = program.work;
        set.tests.push_back(
            {{instructionName(instruction), work.instructions, work.flops, work.texels, work.bytesWritten},
             programShape(settings, instruction),
             ""});
        set.indirections = std::max(set.indirections, work.textureIndirections);
        programSources.push_back(std::move(program.source));
    }
    return set;
}

}  // namespace

ProgramSet assembleProgramSet(BenchSettings& settings, bool netFigures) {
    ProgramSet set = allInstructionsMode(settings) ? allInstructions(settings) : singleTest(settings);
    if (netFigures) set.net = assembleNetVariants(settings, programSources);
    set.indirections = std::max(set.indirections, netIndirections(set.net));
    programIds.assign(programSources.size(), 0);
    for (std::size_t test = 0; test < set.tests.size(); ++test)
        set.tests[test].sha256 = sha256Hex(programString(programSources[test]));
    // The net variants follow the tests, so the tests keep their numbers.
    const std::vector<ProgramSource> variants = netVariantSources(set.net);
    if (settings.output == 1 || settings.output == 3) {
        printPrograms(programSources);
        printPrograms(variants);
    }
    if (settings.output == 2 || settings.output == 3) {
        savePrograms(programSources);
        savePrograms(variants);
    }
    return set;
}
