#include "app/programs/program_set.h"

#include <algorithm>

#include "app/bundled_data.h"
#include "app/programs/net_program_set.h"
#include "app/programs/program_binding.h"
#include "app/programs/program_limits.h"
#include "app/programs/program_output.h"
#include "base/errors.h"
#include "base/sha256.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/marlune_glwindow.h"
#include "bench/tables.h"

std::vector<ProgramSource> programSources;
std::vector<GLuint> programIds;
std::vector<TestFigures> testFigures;
std::vector<std::string> programDigests;
std::uint8_t currentInstruction = 0;
int programSetIndirections = 0;

bool allInstructionsMode(const BenchSettings& settings) {
    return settings.allInstructions != 0 && settings.vectorAndScalar == 0;
}

int allInstructionsCount(const BenchSettings& settings) {
    switch (settings.fragmentProgram) {
        case FragmentProfile::ARB: {
            const int byNvOption[] = {25, 26, 29};
            return byNvOption[settings.nvOption];
        }
        case FragmentProfile::FP1:
            return 22;
        case FragmentProfile::FP2:
            return 25;
        case FragmentProfile::FP4:
            return 29;
        default:
            return 0;
    }
}

std::uint8_t listedInstruction(const BenchSettings& settings, int test) {
    return usesNvProgramUnit(settings.fragmentProgram) ? settings.nvTestList[test]
                                                       : settings.arbTestList[test];
}

namespace {

void assembleSingleTest(BenchSettings& settings) {
    settings.programCount = 1;
    programSetIndirections = 0;
    programSources = {loadProgramText(bundledDataFile("fasm_1.txt"))};
    testFigures = {blurFigures()};
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

void assembleAllInstructions(BenchSettings& settings) {
    checkProgramLength(settings);
    settings.programCount = allInstructionsCount(settings);
    programSources.clear();
    testFigures.clear();
    programSetIndirections = 0;
    for (int test = 0; test < settings.programCount; ++test) {
        currentInstruction = listedInstruction(settings, test);
        GeneratedProgram program = generateProgram(currentInstruction, settings);
        // An empty text would be printed, saved and handed to the driver as a
        // program; no part of the run can measure it.
        if (program.source.empty())
            throw KorvexError(ErrorKind::general,
                              std::string("No program text for ") + instructionName(currentInstruction));
        const ProgramWork& work = program.work;
        testFigures.push_back({instructionName(currentInstruction), work.instructions, work.flops,
                               work.texels, work.bytesWritten});
        programSetIndirections = std::max(programSetIndirections, work.textureIndirections);
        programSources.push_back(std::move(program.source));
    }
}

}  // namespace

void assembleProgramSet(BenchSettings& settings) {
    if (allInstructionsMode(settings))
        assembleAllInstructions(settings);
    else
        assembleSingleTest(settings);
    assembleNetVariants(settings);
    programIds.assign(programSources.size(), 0);
    programDigests.clear();
    for (const ProgramSource& source : programSources)
        programDigests.push_back(sha256Hex(programString(source)));
    // The net variants follow the tests, so the tests keep their numbers.
    const std::vector<ProgramSource> variants = netVariantSources();
    if (settings.output == 1 || settings.output == 3) {
        printPrograms(programSources);
        printPrograms(variants);
    }
    if (settings.output == 2 || settings.output == 3) {
        savePrograms(programSources);
        savePrograms(variants);
    }
}
