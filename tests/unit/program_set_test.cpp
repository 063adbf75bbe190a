#include "app/programs/program_set.h"

#include <gtest/gtest.h>

#include "app/programs/net_program_set.h"
#include "app/programs/program_limits.h"
#include "app/programs/program_output.h"
#include "app/programs/test_list.h"
#include "base/errors.h"
#include "base/sha256.h"
#include "bench/counted_work.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/tables.h"
#include "tests/support/console_capture.h"
#include "tests/support/temp_dir.h"

namespace {

class ProgramSetTest : public ::testing::Test {
protected:
    void SetUp() override { benchSettings = defaultBenchSettings; }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        programSources.clear();
        programIds.clear();
    }
};

struct CountCase {
    std::uint8_t profile;
    int nvOption;
    int count;
    const char* first;
    const char* last;
};

void PrintTo(const CountCase& c, std::ostream* out) {
    *out << profileTable[c.profile].name << " nvOption " << c.nvOption;
}

class AllInstructionsCount : public ProgramSetTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(AllInstructionsCount, ListsTheProfilesTestsInOrder) {
    benchSettings.fragmentProgram = GetParam().profile;
    benchSettings.nvOption = GetParam().nvOption;
    const int count = allInstructionsCount(benchSettings);
    ASSERT_EQ(count, GetParam().count);
    EXPECT_STREQ(instructionName(listedInstruction(benchSettings, 0)), GetParam().first);
    EXPECT_STREQ(instructionName(listedInstruction(benchSettings, count - 1)), GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Profiles, AllInstructionsCount,
                         ::testing::Values(CountCase{FragmentProfile::ARB, 0, 25, "ABS", "XPD"},
                                           CountCase{FragmentProfile::ARB, 1, 26, "ABS", "RFL"},
                                           CountCase{FragmentProfile::ARB, 2, 29, "ABS", "NRM"},
                                           CountCase{FragmentProfile::FP1, 0, 22, "ADD", "RFL"},
                                           CountCase{FragmentProfile::FP1, 2, 22, "ADD", "RFL"},
                                           CountCase{FragmentProfile::FP2, 0, 25, "ADD", "NRM"},
                                           CountCase{FragmentProfile::FP2, 1, 25, "ADD", "NRM"},
                                           CountCase{FragmentProfile::FP4, 0, 29, "ABS", "NRM"}));

TEST_F(ProgramSetTest, Fp1TestsLeaveOutTheInstructionsTheLanguageLacks) {
    benchSettings.fragmentProgram = FragmentProfile::FP1;
    std::string names;
    for (int test = 0; test < allInstructionsCount(benchSettings); ++test)
        names += std::string(" ") + instructionName(listedInstruction(benchSettings, test));
    EXPECT_EQ(names,
              " ADD COS DP3 DP4 DST EX2 FLR FRC LG2 LIT LRP MAD MAX MIN MOV MUL POW RCP RSQ SIN SUB RFL");
}

// A length up to the driver's limit is generated as asked; FP1.0 and FP2.0
// programs keep within their language's 1024 instructions at any length, so
// the largest length plans no more than that.
TEST_F(ProgramSetTest, LengthsTheDriverMayTakeAreGeneratedAndNvProgramsStayWithinTheirLimit) {
    const ProgramLimits saved = programLimits;
    programLimits.maxInstructions = 40;
    benchSettings.allInstructions = 1;
    benchSettings.length = 40;
    assembleProgramSet(benchSettings, false, {});
    EXPECT_EQ(25u, programSources.size());
    EXPECT_EQ(programSources[0], generateProgram(listedInstruction(benchSettings, 0), benchSettings).source);

    for (const std::uint8_t profile : {FragmentProfile::FP1, FragmentProfile::FP2}) {
        benchSettings.fragmentProgram = profile;
        benchSettings.length = 2147483647;
        const ProgramSet set = assembleProgramSet(benchSettings, false, {});
        ASSERT_EQ(programSources.size(), static_cast<std::size_t>(allInstructionsCount(benchSettings)));
        for (std::size_t test = 0; test < programSources.size(); ++test) {
            EXPECT_LE(set.tests[test].figures.instructions, 1024) << set.tests[test].figures.label;
            EXPECT_LE(programSources[test].size(), 1024u + 8u)
                << "instructions, header, declarations and END";
        }
    }
    programLimits = saved;
}

TEST_F(ProgramSetTest, VectorAndScalarAlwaysRunsTheSingleTest) {
    EXPECT_FALSE(allInstructionsMode(benchSettings));
    benchSettings.allInstructions = 1;
    EXPECT_TRUE(allInstructionsMode(benchSettings));
    benchSettings.vectorAndScalar = 1;
    EXPECT_FALSE(allInstructionsMode(benchSettings));
}

TEST_F(ProgramSetTest, SingleTestReadsFasm1AndWritesItToScreenAndDisk) {
    TempDir directory(true);
    directory.write("fasm_1.txt", "!!ARBfp1.0\nMOV result.color, fragment.color;\nEND");
    benchSettings.output = 3;
    ConsoleCapture console;
    const ProgramSet set = assembleProgramSet(benchSettings, false, {});

    const std::string program = "!!ARBfp1.0\r\nMOV result.color, fragment.color;\r\nEND\r\n";
    EXPECT_EQ(benchSettings.programCount, 1);
    EXPECT_EQ(programIds.size(), 1u);
    ASSERT_EQ(set.tests.size(), 1u);
    EXPECT_EQ(set.tests[0].figures.label, "Blur");
    EXPECT_FALSE(set.tests[0].program.instruction) << "no instruction for the bundled program";
    EXPECT_EQ(set.tests[0].sha256, sha256Hex(program));
    EXPECT_EQ(console.text(), program + "\r\n");
    EXPECT_EQ(directory.read("fasm_0000.txt"), program);
    EXPECT_EQ(loadProgramText("fasm_0000.txt"), programSources[0]);
}

TEST_F(ProgramSetTest, ProgramFilesAreTheTestsWithTheirCountedWorkOrTheGivenOne) {
    std::vector<ProgramFile> files;
    for (const char* text : {"!!ARBfp1.0\nOPTION NV_fragment_program;\nMAD result.color.xy, 1, 2, 3;\nEND\n",
                             "!!FP2.0\nREP {3};\nADDR R0, R0, 1;\nENDREP;\nMOVR o[COLR], R0;\nEND\n"}) {
        const ProgramSource source = splitProgramText(text);
        files.push_back({"", "p" + std::to_string(files.size()), source, countProgramWork(source)});
    }
    const ProgramSet counted = assembleProgramSet(benchSettings, false, {files, std::nullopt});
    ASSERT_EQ(2, benchSettings.programCount);
    const SetTest& mad = counted.tests[0];
    EXPECT_EQ("p0", mad.figures.label);
    EXPECT_EQ(8, mad.figures.bytesWritten);
    EXPECT_EQ(1, mad.program.nvOption) << "the file's option";
    EXPECT_TRUE(mad.workKnown());
    EXPECT_FALSE(counted.tests[1].workKnown()) << "a loop's static count is not the work run";

    const ProgramSet given = assembleProgramSet(benchSettings, false, {files, PerPixelWork{9, 8, 7, 6}});
    EXPECT_TRUE(given.tests[1].workKnown() && given.tests[1].file->given);
    EXPECT_EQ(8, given.tests[1].figures.flops);
    EXPECT_EQ(4, given.tests[0].file->counted.flops) << "the counted work stays for the JSON";
}

TEST_F(ProgramSetTest, VectorAndScalarInAllInstructionsModeStillReadsFasm1) {
    TempDir directory(true);
    directory.write("fasm_1.txt", "!!ARBfp1.0\r\nEND\r\n");
    benchSettings.allInstructions = 1;
    benchSettings.vectorAndScalar = 1;
    assembleProgramSet(benchSettings, false, {});
    EXPECT_EQ(programSources, (std::vector<ProgramSource>{{"!!ARBfp1.0", "END"}}));
}

TEST_F(ProgramSetTest, NetVariantsAreWrittenAfterTheTestsEachTestsOwnTextLeftOut) {
    TempDir directory(true);
    benchSettings.allInstructions = 1;
    benchSettings.length = 8;
    benchSettings.output = 2;
    const ProgramSet set = assembleProgramSet(benchSettings, true, {});
    ASSERT_EQ(25u, set.net.size());
    EXPECT_EQ(AluInstruction::XPD, set.tests[24].program.instruction);
    EXPECT_EQ(programString(programSources[24]), directory.read("fasm_0024.txt"))
        << "the tests keep their numbers";
    int number = 25;
    for (const NetTestPrograms& programs : set.net) {
        ASSERT_GE(programs.testVariant, 0) << "every test's own text is one of its variants";
        for (std::size_t v = 0; v < programs.set.variants.size(); ++v) {
            if (static_cast<int>(v) == programs.testVariant) continue;
            EXPECT_EQ(programString(programs.set.variants[v].program.source),
                      directory.read(fasmFileName(number)))
                << number;
            ++number;
        }
    }
    EXPECT_FALSE(directory.exists(fasmFileName(number)));

    RunOptions options;
    options.net = true;
    EXPECT_TRUE(netFiguresWanted(benchSettings, options));
    benchSettings.allInstructions = 0;
    EXPECT_FALSE(netFiguresWanted(benchSettings, options)) << "--net means nothing to the single test";
}

TEST_F(ProgramSetTest, OutputNoneWritesNothing) {
    TempDir directory(true);
    directory.write("fasm_1.txt", "!!ARBfp1.0\r\nEND\r\n");
    ConsoleCapture console;
    assembleProgramSet(benchSettings, false, {});
    EXPECT_EQ(console.text(), "");
    EXPECT_FALSE(directory.exists("fasm_0000.txt"));
}

TEST_F(ProgramSetTest, AMissingFasm1RaisesTheOpenErrorBeforeAnyOutput) {
    TempDir directory(true);
    benchSettings.output = 3;
    ConsoleCapture console;
    try {
        assembleProgramSet(benchSettings, false, {});
        FAIL() << "no error";
    } catch (const KorvexError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::fileOpen);
        EXPECT_NE(std::string(error.what()).find("fasm_1.txt"), std::string::npos);
    }
    EXPECT_EQ(console.text(), "");
    EXPECT_FALSE(directory.exists("fasm_0000.txt"));
}

TEST(FasmFileName, HasAtLeastFourDigits) {
    EXPECT_EQ(fasmFileName(0), "fasm_0000.txt");
    EXPECT_EQ(fasmFileName(42), "fasm_0042.txt");
    EXPECT_EQ(fasmFileName(9999), "fasm_9999.txt");
    EXPECT_EQ(fasmFileName(10000), "fasm_10000.txt");
}

TEST(SavePrograms, FillsTheLowestFreeNumbersInTestOrder) {
    TempDir directory(true);
    directory.write("fasm_0000.txt", "kept 0");
    directory.write("fasm_0002.txt", "kept 2");
    directory.write("fasm_1.txt", "input");
    savePrograms({{"first"}, {"second"}, {"third"}});
    EXPECT_EQ(directory.read("fasm_0000.txt"), "kept 0");
    EXPECT_EQ(directory.read("fasm_0001.txt"), "first\r\n");
    EXPECT_EQ(directory.read("fasm_0002.txt"), "kept 2");
    EXPECT_EQ(directory.read("fasm_0003.txt"), "second\r\n");
    EXPECT_EQ(directory.read("fasm_0004.txt"), "third\r\n");
    EXPECT_EQ(directory.read("fasm_1.txt"), "input");
}

}  // namespace
