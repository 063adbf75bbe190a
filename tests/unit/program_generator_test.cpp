// The generated texts: well-formed in every language under every setting,
// and shaped by each setting the way docs/generator.md says.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "base/errors.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/tables.h"
#include "tests/support/generator_cases.h"
#include "tests/support/program_checker.h"

namespace {

using progcheck::CheckedInstruction;
using progcheck::Language;

progcheck::ProgramCheck checkText(const GeneratedProgram& program) {
    return progcheck::checkProgram(programString(program.source));
}

progcheck::ProgramCheck check(std::uint8_t instruction, const BenchSettings& settings) {
    return checkText(generateProgram(instruction, settings));
}

// Helpers and the combine into the outputs may use the tested mnemonic too;
// with clamping on, the tested instructions are the saturated ones.
std::vector<CheckedInstruction> tested(const progcheck::ProgramCheck& program) {
    std::vector<CheckedInstruction> out;
    for (const CheckedInstruction& in : program.instructions) {
        if (in.saturate) out.push_back(in);
    }
    return out;
}

TEST(ProgramGeneratorTest, EveryTextIsWellFormedForItsLanguageUnderEverySetting) {
    const Language expected[] = {Language::arb, Language::arbNv, Language::arbNv2,
                                 Language::fp1, Language::fp2,   Language::nvfp4};
    for (std::size_t l = 0; l < languageCases().size(); ++l) {
        for (const SettingsVariation& variation : settingsVariations()) {
            BenchSettings settings = settingsFor(languageCases()[l]);
            variation.apply(settings);
            for (std::uint8_t instruction : testedInstructions(settings)) {
                for (const GeneratedProgram& generated : withHelpersOnlyForms(instruction, settings)) {
                    const progcheck::ProgramCheck program = checkText(generated);
                    const std::string where = std::string(languageCases()[l].name) + ", " + variation.name +
                                              ", " + instructionName(instruction);
                    EXPECT_EQ(expected[l], program.language) << where;
                    EXPECT_TRUE(program.wellFormed())
                        << where << ":\n  " << (program.problems.empty() ? "" : program.problems.front());
                }
            }
        }
    }
}

TEST(ProgramGeneratorTest, AnInstructionTheLanguageLacksIsRefused) {
    struct Case {
        std::uint8_t profile;
        int nvOption;
        std::uint8_t instruction;
    };
    const Case cases[] = {{FragmentProfile::ARB, 0, AluInstruction::RFL},
                          {FragmentProfile::ARB, 1, AluInstruction::DIV},
                          {FragmentProfile::FP1, 0, AluInstruction::ABS},
                          {FragmentProfile::FP1, 0, AluInstruction::NRM},
                          {FragmentProfile::FP2, 0, AluInstruction::SCS}};
    for (const Case& c : cases) {
        BenchSettings settings = defaultBenchSettings;
        settings.fragmentProgram = c.profile;
        settings.nvOption = c.nvOption;
        EXPECT_THROW(generateProgram(c.instruction, settings), KorvexError) << instructionName(c.instruction);
    }
}

TEST(ProgramGeneratorTest, ClampSaturatesExactlyTheTestedInstructions) {
    for (const LanguageCase& language : languageCases()) {
        BenchSettings settings = settingsFor(language);
        settings.clamp = 1;
        settings.length = 6;
        for (std::uint8_t instruction : testedInstructions(settings)) {
            const std::vector<CheckedInstruction> saturated = tested(check(instruction, settings));
            EXPECT_EQ(6u, saturated.size()) << language.name << ", " << instructionName(instruction);
            for (const CheckedInstruction& in : saturated)
                EXPECT_EQ(instructionName(instruction), in.mnemonic);
        }
    }
}

TEST(ProgramGeneratorTest, TestedInstructionsWriteTheComponentsAskedForWhereTheyCarryWork) {
    struct Case {
        std::uint8_t instruction;
        const char* masks[4];  // for components 1 to 4; empty means all four
    };
    const Case cases[] = {
        {AluInstruction::MAD, {"x", "xy", "xyz", ""}},    {AluInstruction::RCP, {"x", "xy", "xyz", ""}},
        {AluInstruction::DST, {"y", "xy", "xyz", ""}},    {AluInstruction::LIT, {"z", "yz", "xyz", ""}},
        {AluInstruction::XPD, {"x", "xy", "xyz", "xyz"}}, {AluInstruction::SCS, {"x", "xy", "xy", "xy"}},
        {AluInstruction::DP4, {"x", "xy", "xyz", ""}},    {AluInstruction::NRM, {"x", "xy", "xyz", "xyz"}},
        {AluInstruction::RFL, {"x", "xy", "xyz", "xyz"}},
    };
    for (const Case& c : cases) {
        for (int components = 1; components <= 4; ++components) {
            BenchSettings settings = settingsFor(languageCases()[5]);  // FP4 has them all
            settings.components = components;
            settings.clamp = 1;
            for (const CheckedInstruction& in : tested(check(c.instruction, settings))) {
                EXPECT_EQ(c.masks[components - 1], in.writeMask)
                    << instructionName(c.instruction) << " with " << components << " components";
            }
        }
    }
}

TEST(ProgramGeneratorTest, ChainsAlternateBetweenTwoRegisters) {
    for (const LanguageCase& language : languageCases()) {
        BenchSettings settings = settingsFor(language);
        settings.length = 8;
        settings.clamp = 1;
        for (std::uint8_t instruction : testedInstructions(settings)) {
            const std::vector<CheckedInstruction> steps = tested(check(instruction, settings));
            ASSERT_EQ(8u, steps.size()) << language.name << ", " << instructionName(instruction);
            for (std::size_t k = 1; k < steps.size(); ++k) {
                EXPECT_NE(steps[k - 1].destination, steps[k].destination)
                    << language.name << ", " << instructionName(instruction) << ", step " << k;
            }
        }
    }
}

// No instruction reads one operand twice (a - a, min(a, a)), adds a zero
// or multiplies by one.
TEST(ProgramGeneratorTest, NoInstructionIsAnIdentityTheCompilerCouldFold) {
    for (const LanguageCase& language : languageCases()) {
        BenchSettings settings = settingsFor(language);
        settings.textureFetches = 8;
        for (std::uint8_t instruction : testedInstructions(settings)) {
            for (const GeneratedProgram& generated : withHelpersOnlyForms(instruction, settings)) {
                for (const CheckedInstruction& in : checkText(generated).instructions) {
                    const std::string where = std::string(language.name) + ", " +
                                              instructionName(instruction) + ": " + in.mnemonic +
                                              " at line " + std::to_string(in.line);
                    std::set<std::string> distinct(in.sources.begin(), in.sources.end());
                    EXPECT_EQ(in.sources.size(), distinct.size()) << where;
                    for (const std::string& source : in.sources) {
                        const bool addsZero = (in.mnemonic == "ADD" || in.mnemonic == "SUB") &&
                                              source == "{0.0, 0.0, 0.0, 0.0}";
                        const bool timesOne = in.mnemonic == "MUL" && source == "{1.0, 1.0, 1.0, 1.0}";
                        EXPECT_FALSE(addsZero || timesOne) << where;
                    }
                }
            }
        }
    }
}

// A fetch that would repeat an earlier one (same unit, same set) reads at an
// offset coordinate instead.
// A register written and never read again is work the compiler removes but
// the count would include.
TEST(ProgramGeneratorTest, EveryRegisterWrittenIsReadLater) {
    auto registerOf = [](std::string operand) {
        operand.erase(0, operand.find_first_not_of("-|"));
        return operand.substr(0, operand.find('.'));
    };
    for (const LanguageCase& language : languageCases()) {
        for (const SettingsVariation& variation : settingsVariations()) {
            BenchSettings settings = settingsFor(language);
            variation.apply(settings);
            for (std::uint8_t instruction : testedInstructions(settings)) {
                for (const GeneratedProgram& generated : withHelpersOnlyForms(instruction, settings)) {
                    const std::vector<CheckedInstruction> program = checkText(generated).instructions;
                    for (std::size_t i = 0; i < program.size(); ++i) {
                        const std::string& written = program[i].destination;
                        if (written.empty() || written.rfind("result.", 0) == 0 ||
                            written.rfind("o[", 0) == 0)
                            continue;
                        bool read = false;
                        for (std::size_t j = i + 1; j < program.size() && !read; ++j) {
                            for (const std::string& source : program[j].sources)
                                read = read || registerOf(source) == written;
                        }
                        EXPECT_TRUE(read)
                            << language.name << ", " << variation.name << ", " << instructionName(instruction)
                            << ": " << written << " written at line " << program[i].line << " is never read";
                    }
                }
            }
        }
    }
}

TEST(ProgramGeneratorTest, FetchesSpreadOverUnitsAndCoordinateSets) {
    struct Case {
        int fetchTexture, multiTexCoords;
        const char* units;  // unit of fetch k
        const char* sets;   // texture coordinate set of fetch k, or o for an offset coordinate
    };
    const Case cases[] = {
        {1, 0, "01201201", "000ooooo"},
        {0, 0, "00000000", "0ooooooo"},
        {1, 1, "01201201", "01230123"},
        {0, 1, "00000000", "0123oooo"},
    };
    for (const Case& c : cases) {
        BenchSettings settings = defaultBenchSettings;
        settings.textureFetches = 8;
        settings.fetchTexture = c.fetchTexture;
        settings.multiTexCoords = c.multiTexCoords;
        std::string units, sets;
        for (const CheckedInstruction& in : check(AluInstruction::ADD, settings).instructions) {
            if (in.mnemonic != "TEX") continue;
            const std::string& coordinate = in.sources[0];
            units += in.sources[1].substr(8, 1);  // texture[k]
            sets += coordinate.rfind("fragment.texcoord[", 0) == 0 ? coordinate.substr(18, 1) : "o";
        }
        EXPECT_EQ(c.units, units) << "fetchTexture " << c.fetchTexture << ", multiTexCoords "
                                  << c.multiTexCoords;
        EXPECT_EQ(c.sets, sets) << "fetchTexture " << c.fetchTexture << ", multiTexCoords "
                                << c.multiTexCoords;
    }
}

TEST(ProgramGeneratorTest, LanguageSpecificSettingsAppearWhereTheLanguageHasThem) {
    struct Case {
        const char* name;
        int language;  // index into languageCases
        std::function<void(BenchSettings&)> apply;
        const char* present;  // a text the program contains, or empty
        const char* absent;   // a text it must not contain, or empty
    };
    const Case cases[] = {
        {"ARB short temporaries need the NV option", 0, [](BenchSettings& s) { s.temporaries = 2; }, "",
         "SHORT"},
        {"ARB with the NV option declares short temporaries", 1, [](BenchSettings& s) { s.temporaries = 2; },
         "SHORT TEMP", ""},
        {"FP4 declares long temporaries", 5, [](BenchSettings& s) { s.temporaries = 1; }, "LONG TEMP", ""},
        {"FP1 short temporaries are H registers", 3, [](BenchSettings& s) { s.temporaries = 2; }, "H0", "R0"},
        {"FP1 long temporaries are R registers", 3, [](BenchSettings& s) { s.temporaries = 1; }, "R0", "H0"},
        {"FP1 X precision on MAD", 3, [](BenchSettings& s) { s.nvInstructionPrecision = "X"; }, "MADX", ""},
        {"FP1 without a precision still names one", 3, [](BenchSettings&) {}, "MADR", ""},
        {"FP1 X precision leaves the seeds at full precision", 3,
         [](BenchSettings& s) { s.nvInstructionPrecision = "X"; }, "MULR R0, f[TEX0]", "MULX"},
        {"ARB with the NV option: H precision", 1, [](BenchSettings& s) { s.nvInstructionPrecision = "H"; },
         "MADH", ""},
        {"plain ARB ignores the precision", 0, [](BenchSettings& s) { s.nvInstructionPrecision = "H"; }, "",
         "MADH"},
        {"FP4 clamps with .SAT", 5, [](BenchSettings& s) { s.clamp = 1; }, "MAD.SAT", "_SAT"},
        {"ARB clamps with _SAT", 0, [](BenchSettings& s) { s.clamp = 1; }, "MAD_SAT", ""},
        {"ARB nicest hint", 0, [](BenchSettings& s) { s.precisionHint = 1; },
         "OPTION ARB_precision_hint_nicest;", ""},
        {"FP4 fastest hint", 5, [](BenchSettings& s) { s.precisionHint = 2; },
         "OPTION ARB_precision_hint_fastest;", ""},
        {"FP1 has no options", 3, [](BenchSettings& s) { s.precisionHint = 2; }, "", "OPTION"},
        {"ARB env parameters", 0, [](BenchSettings& s) { s.localParameters = 1; }, "program.env[1]", "local"},
        {"ARB named parameters fall back to local", 0, [](BenchSettings& s) { s.localParameters = 2; },
         "program.local[1]", "env"},
        {"FP1 local parameters", 3, [](BenchSettings&) {}, "p[1]", "DECLARE"},
        {"FP2 named parameters", 4, [](BenchSettings& s) { s.localParameters = 2; }, "DECLARE Cl;", "p["},
        {"ARB four outputs", 0, [](BenchSettings& s) { s.multipleOutputs = 1, s.outputCount = 4; },
         "result.color[3]", ""},
        {"FP2 has one colour output", 4, [](BenchSettings& s) { s.multipleOutputs = 1, s.outputCount = 4; },
         "o[COLR]", "result"},
        {"plain ARB cannot loop", 0, [](BenchSettings& s) { s.branching = 1; }, "", "LOOP"},
        {"FP1 cannot loop", 3, [](BenchSettings& s) { s.branching = 2; }, "", "REP"},
        {"ARB with the NV2 option loops", 2, [](BenchSettings& s) { s.branching = 1; }, "ENDLOOP;", "REP"},
        {"FP2 repeats", 4, [](BenchSettings& s) { s.branching = 2; }, "ENDREP;", "LOOP"},
        {"FP4 has REP in place of LOOP", 5, [](BenchSettings& s) { s.branching = 1; }, "ENDREP;", "LOOP"},
    };
    for (const Case& c : cases) {
        BenchSettings settings = settingsFor(languageCases()[c.language]);
        c.apply(settings);
        const std::string text = programString(generateProgram(AluInstruction::MAD, settings).source);
        if (*c.present) {
            EXPECT_NE(std::string::npos, text.find(c.present)) << c.name << "\n" << text;
        }
        if (*c.absent) {
            EXPECT_EQ(std::string::npos, text.find(c.absent)) << c.name << "\n" << text;
        }
    }
}

TEST(ProgramGeneratorTest, NearestAcceptedPrecisionReplacesXOnFloatOnlyOpcodes) {
    BenchSettings settings = settingsFor(languageCases()[3]);
    settings.nvInstructionPrecision = "X";
    settings.clamp = 1;
    for (std::uint8_t instruction : {AluInstruction::RCP, AluInstruction::POW, AluInstruction::LIT}) {
        for (const CheckedInstruction& in : tested(check(instruction, settings))) {
            EXPECT_EQ("H", in.precision) << instructionName(instruction);
        }
    }
}

TEST(ProgramGeneratorTest, LoopsRunTheBodySoThatExactlyLengthInstructionsAreTested) {
    for (int languageIndex : {2, 4, 5}) {
        for (int length : {1, 2, 5, 8, 64, 301}) {
            BenchSettings settings = settingsFor(languageCases()[languageIndex]);
            settings.branching = 1;
            settings.length = length;
            settings.clamp = 1;
            for (std::uint8_t instruction : {AluInstruction::ADD, AluInstruction::DP2}) {
                const progcheck::ProgramCheck program = check(instruction, settings);
                ASSERT_EQ(1u, program.loopCounts.size());
                int runs = 0;
                for (const CheckedInstruction& in : tested(program)) {
                    runs += in.loopDepth > 0 ? program.loopCounts[0] : 1;
                }
                EXPECT_EQ(length, runs) << languageCases()[languageIndex].name << ", length " << length;
                EXPECT_GE(program.loopCounts[0], 1);
                EXPECT_LE(program.loopCounts[0], 255);
            }
        }
    }
}

}  // namespace
