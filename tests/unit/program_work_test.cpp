// The per-pixel work the generator reports equals a recount from the text
// it wrote: every instruction the program runs (loop bodies once per
// iteration), flops by the language tables, texels, and bytes written.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "bench/fpgen/marlune_fp.h"
#include "bench/tables.h"
#include "tests/support/generator_cases.h"
#include "tests/support/program_checker.h"

namespace {

// Flops per instruction: component-wise ones count per written component,
// the others once (a dot product is one result, however many lanes get it).
struct Flops {
    int count;
    bool perComponent;
};
const std::map<std::string, Flops> flopTable = {
    {"ABS", {0, false}}, {"ADD", {1, true}},   {"SUB", {1, true}},  {"MUL", {1, true}},  {"MIN", {1, true}},
    {"MAX", {1, true}},  {"MAD", {2, true}},   {"LRP", {3, true}},  {"MOV", {0, false}}, {"FLR", {1, true}},
    {"FRC", {1, true}},  {"DP2", {3, false}},  {"DP3", {5, false}}, {"DP4", {7, false}}, {"DPH", {6, false}},
    {"DST", {2, false}}, {"XPD", {9, false}},  {"RCP", {1, false}}, {"RSQ", {1, false}}, {"EX2", {1, false}},
    {"LG2", {1, false}}, {"SIN", {1, false}},  {"COS", {1, false}}, {"POW", {3, false}}, {"SCS", {2, false}},
    {"LIT", {5, false}}, {"RFL", {18, false}}, {"DIV", {1, true}},  {"NRM", {9, false}},
};

ProgramWork recount(const progcheck::ProgramCheck& program, int components) {
    ProgramWork work;
    std::set<std::string> outputs;
    const int iterations = program.loopCounts.empty() ? 1 : program.loopCounts[0];
    for (const progcheck::CheckedInstruction& in : program.instructions) {
        const int runs = in.loopDepth > 0 ? iterations : 1;
        work.instructions += runs;
        if (in.mnemonic == "TEX") work.texels += runs;
        const auto flops = flopTable.find(in.mnemonic);
        if (flops != flopTable.end()) {
            const int lanes = in.writeMask.empty() ? 4 : static_cast<int>(in.writeMask.size());
            work.flops += runs * flops->second.count * (flops->second.perComponent ? lanes : 1);
        }
        if (in.destination.rfind("result.color", 0) == 0 || in.destination == "o[COLR]") {
            outputs.insert(in.destination);
        }
    }
    work.bytesWritten = 4 * components * static_cast<int>(outputs.size());
    return work;
}

TEST(ProgramWorkTest, TheReportedWorkIsWhatTheTextRuns) {
    for (const LanguageCase& language : languageCases()) {
        for (const SettingsVariation& variation : settingsVariations()) {
            BenchSettings settings = settingsFor(language);
            variation.apply(settings);
            for (std::uint8_t instruction : testedInstructions(settings)) {
                for (const GeneratedProgram& program : withHelpersOnlyForms(instruction, settings)) {
                    const ProgramWork expected =
                        recount(progcheck::checkProgram(programString(program.source)), settings.components);
                    const std::string where = std::string(language.name) + ", " + variation.name + ", " +
                                              instructionName(instruction);
                    EXPECT_EQ(expected.instructions, program.work.instructions) << where;
                    EXPECT_EQ(expected.flops, program.work.flops) << where;
                    EXPECT_EQ(expected.texels, program.work.texels) << where;
                    EXPECT_EQ(expected.bytesWritten, program.work.bytesWritten) << where;
                }
            }
        }
    }
}

TEST(ProgramWorkTest, TestedInstructionsDominateTheCountOfALongProgram) {
    BenchSettings settings = defaultBenchSettings;
    settings.length = 64;
    for (int k = 0; k < 25; ++k) {
        const ProgramWork work = generateProgram(settings.arbTestList[k], settings).work;
        // At most one helper per tested instruction, and a short setup.
        EXPECT_GE(work.instructions, 64) << instructionName(settings.arbTestList[k]);
        EXPECT_LE(work.instructions, 2 * 64 + 12) << instructionName(settings.arbTestList[k]);
    }
}

}  // namespace
