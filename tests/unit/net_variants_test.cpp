// The net variants of a generated test: three lengths that fit, programs
// that differ from one another only in how often the tested instruction
// runs, and helpers-only forms that keep every helper's work: the same
// helper opcodes, precisions and write masks, as often.
#include "bench/fpgen/net_variants.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "bench/fpgen/dialect.h"
#include "bench/tables.h"
#include "tests/support/generator_cases.h"
#include "tests/support/program_checker.h"

namespace {

// How often each opcode, as written (precision, saturation and write mask
// included), runs per pixel.
using OpcodeRuns = std::map<std::string, int>;

OpcodeRuns opcodeRuns(const GeneratedProgram& program) {
    const progcheck::ProgramCheck check = progcheck::checkProgram(programString(program.source));
    OpcodeRuns runs;
    for (const progcheck::CheckedInstruction& in : check.instructions) {
        const std::string opcode =
            in.mnemonic + in.precision + (in.saturate ? "_SAT" : "") + "." + in.writeMask;
        runs[opcode] += in.loopDepth > 0 ? check.loopCounts.at(0) : 1;
    }
    return runs;
}

// a - b, keeping only the opcodes whose runs differ.
OpcodeRuns difference(const OpcodeRuns& a, const OpcodeRuns& b) {
    OpcodeRuns out;
    for (const auto& [opcode, runs] : a) out[opcode] += runs;
    for (const auto& [opcode, runs] : b) out[opcode] -= runs;
    for (auto it = out.begin(); it != out.end();) it = it->second == 0 ? out.erase(it) : std::next(it);
    return out;
}

// The tested opcodes of a difference: the instruction's mnemonic, however
// the language writes its suffixes.
int testedRuns(const OpcodeRuns& runs, const std::string& op) {
    int total = 0;
    for (const auto& [opcode, count] : runs) total += opcode.rfind(op, 0) == 0 ? count : 0;
    return total;
}

TEST(NetVariants, LengthsAreTheTestsOwnAndTwoMoreThatFit) {
    struct Case {
        int test, longest;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {64, 1000, {32, 64, 128}},
        {64, 127, {16, 32, 64}},
        {8, 1000, {8, 16, 32}},
        {10, 25, {}},
        {4, 1000, {}},
        {100, 80, {}},
        {1 << 30, 1 << 30, {1 << 28, 1 << 29, 1 << 30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lengths, netLengths(c.test, c.longest)) << c.test << " up to " << c.longest;
}

TEST(NetVariants, EveryLanguageAndSettingGivesProgramsThatDifferOnlyInTheTestedInstructionsRuns) {
    for (const LanguageCase& language : languageCases()) {
        for (const SettingsVariation& variation : settingsVariations()) {
            BenchSettings settings = settingsFor(language);
            variation.apply(settings);
            for (std::uint8_t instruction : testedInstructions(settings)) {
                const std::string op = instructionName(instruction);
                const std::string where = std::string(language.name) + ", " + variation.name + ", " + op;
                const GeneratedProgram test = generateProgram(instruction, settings);
                const NetVariantSet set = generateNetVariants(instruction, settings, 0);
                if (test.work.testedInstructions < shortestNetLength) {
                    EXPECT_TRUE(set.variants.empty()) << where;
                    EXPECT_FALSE(set.unavailable.empty()) << where;
                    continue;
                }
                ASSERT_EQ(3u, set.lengths.size()) << where;
                const bool helpers = test.work.helperInstructions > 0;
                ASSERT_EQ(helpers ? 6u : 3u, set.variants.size()) << where;
                OpcodeRuns setupTaken;
                for (std::size_t k = 0; k < 3; ++k) {
                    const NetVariant& full = set.variants[k];
                    EXPECT_EQ(set.lengths[k], full.length) << where;
                    EXPECT_EQ(full.length, full.program.work.testedInstructions) << where;
                    if (full.length == test.work.testedInstructions) {
                        EXPECT_EQ(test.source, full.program.source) << where;
                    }
                    // Against the next length, the full forms differ only in
                    // whole steps; against its helpers-only form, a full form
                    // differs only in the tested instruction, once per step.
                    const NetVariant& next = set.variants[(k + 1) % 3];
                    const OpcodeRuns across = difference(opcodeRuns(next.program), opcodeRuns(full.program));
                    const int steps = next.length - full.length;
                    EXPECT_EQ(steps, testedRuns(across, op)) << where;
                    if (!helpers) {
                        EXPECT_EQ(1u, across.size())
                            << where << ", lengths " << full.length << " and " << next.length;
                        EXPECT_EQ(steps * set.testedFlops, next.program.work.flops - full.program.work.flops)
                            << where;
                        continue;
                    }
                    const NetVariant& bare = set.variants[k + 3];
                    EXPECT_TRUE(bare.helpersOnly) << where;
                    EXPECT_EQ(full.length, bare.length) << where;
                    EXPECT_EQ(0, bare.program.work.testedInstructions) << where;
                    EXPECT_EQ(full.program.work.helperInstructions, bare.program.work.helperInstructions)
                        << where;
                    OpcodeRuns taken = difference(opcodeRuns(full.program), opcodeRuns(bare.program));
                    EXPECT_EQ(full.length, testedRuns(taken, op)) << where << ", length " << full.length;
                    // Besides the steps, only the setup of values the tested
                    // instruction alone read may go, the same at every length.
                    for (auto it = taken.begin(); it != taken.end();)
                        it = it->first.rfind(op, 0) == 0 ? taken.erase(it) : std::next(it);
                    if (k == 0) setupTaken = taken;
                    EXPECT_EQ(setupTaken, taken) << where << ", length " << full.length;
                }
            }
        }
    }
}

TEST(NetVariants, EveryVariantFitsTheDriversAndTheLanguagesInstructionLimits) {
    struct Case {
        const char* name;
        int language;  // index into languageCases
        int length, limit;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {"ARB, a driver limit of 200", 0, 64, 200, {16, 32, 64}},
        {"FP1, its own limit of 1024", 3, 1024, 0, {}},
        {"FP4, no limit", 5, 64, 0, {32, 64, 128}},
    };
    for (const Case& c : cases) {
        BenchSettings settings = settingsFor(languageCases()[c.language]);
        settings.length = c.length;
        for (std::uint8_t instruction : {AluInstruction::ABS, AluInstruction::RCP}) {
            if (!fpgen::dialectOf(settings).hasOpcode(instructionName(instruction))) continue;
            const NetVariantSet set = generateNetVariants(instruction, settings, c.limit);
            ASSERT_EQ(3u, set.lengths.size()) << c.name;
            if (!c.lengths.empty()) {
                EXPECT_EQ(c.lengths, set.lengths) << c.name;
            }
            const std::size_t limit = c.limit != 0 ? c.limit : 1024;
            for (const NetVariant& variant : set.variants) {
                const auto instructions =
                    progcheck::checkProgram(programString(variant.program.source)).instructions;
                EXPECT_LE(instructions.size(), limit) << c.name << ", length " << variant.length;
            }
        }
    }
}

}  // namespace
