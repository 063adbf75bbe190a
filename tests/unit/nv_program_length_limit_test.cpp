// FP1.0 and FP2.0 programs hold at most 1024 instructions, so a longer
// program than that, which the command line can ask for, must still come out
// as one the language allows.
#include <gtest/gtest.h>

#include "bench/fpgen/marlune_fp.h"
#include "bench/tables.h"
#include "tests/support/generator_cases.h"
#include "tests/support/program_checker.h"

namespace {

TEST(NvProgramLengthLimitTest, LongRequestsGiveProgramsWithinTheLanguagesLimit) {
    for (const LanguageCase& language : languageCases()) {
        if (language.profile != FragmentProfile::FP1 && language.profile != FragmentProfile::FP2) continue;
        for (const int length : {1024, 100000}) {
            for (const std::uint8_t branching : {0, 1}) {
                BenchSettings settings = settingsFor(language);
                settings.length = length;
                settings.branching = branching;
                settings.textureFetches = 8;
                for (const std::uint8_t instruction : testedInstructions(settings)) {
                    SCOPED_TRACE(std::string(language.name) + " " + instructionName(instruction) +
                                 " length " + std::to_string(length) + " branching " +
                                 std::to_string(branching));
                    const GeneratedProgram program = generateProgram(instruction, settings);
                    const progcheck::ProgramCheck check =
                        progcheck::checkProgram(programString(program.source));
                    EXPECT_TRUE(check.wellFormed()) << (check.problems.empty() ? "" : check.problems[0]);
                    EXPECT_LE(check.instructions.size(), 1024u);
                    if (branching == 0) {
                        EXPECT_GT(check.instructions.size(), 1000u) << "as many steps as fit";
                    }
                }
            }
        }
    }
}

}  // namespace
