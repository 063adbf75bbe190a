// The all-instructions mode of the real binary: one generated program per
// instruction, each measured and labelled with its instruction and its own
// per-pixel figures, and with --net its net figures; the NV languages stop
// on their missing extensions.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "bench/fpgen/marlune_fp.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "tests/support/run_korvex.h"
#include "tests/support/temp_dir.h"

namespace {

class AllInstructionsRun : public ::testing::Test {
protected:
    void SetUp() override { copyBenchmarkFiles(directory_.path()); }

    KorvexRun run(const std::vector<std::string>& args) {
        KorvexRunOptions options;
        options.workDir = directory_.path();
        options.args = args;
        options.input = "\n";
        return runKorvex(options);
    }

    TempDir directory_;
};

TEST_F(AllInstructionsRun, ArbGivesOneBlockPerInstructionInListOrderWithTheGeneratedFigures) {
    const KorvexRun result = run({"-a", "-I", "2", "-o", "d"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    const std::vector<std::string> lines = crlfLines(directory_.read("korvex_results.txt"));
    ASSERT_EQ(25u * 6, lines.size()) << directory_.read("korvex_results.txt");
    const BenchSettings& settings = defaultBenchSettings;
    for (int k = 0; k < 25; ++k) {
        const std::uint8_t instruction = settings.arbTestList[k];
        const GeneratedProgram program = generateProgram(instruction, settings);
        const ProgramWork& work = program.work;
        const std::string figures = std::to_string(work.instructions) + "  " + std::to_string(work.flops) +
                                    "  " + std::to_string(work.texels);
        const std::regex resultLine(std::string(instructionName(instruction)) + " +" + figures +
                                    " +512  768 +2 +\\d+\\.\\d{4} ms");
        EXPECT_TRUE(std::regex_match(lines[6 * k], resultLine)) << "block " << k << ": " << lines[6 * k];
        // The texts written with -o d are the generated ones, in test order.
        char name[32];
        std::snprintf(name, sizeof name, "fasm_%04d.txt", k);
        EXPECT_EQ(programString(program.source), directory_.read(name)) << name;
    }
}

TEST_F(AllInstructionsRun, NetEndsEveryBlockWithItsNetLineOrItsWarningAndSavesIt) {
    const KorvexRun result = run({"-a", "--net", "-I", "1", "-l", "8"});
    ASSERT_EQ(0, result.exitCode) << result.err;
    const std::vector<std::string> lines = crlfLines(directory_.read("korvex_results.txt"));
    std::size_t at = 0;
    for (int k = 0; k < 25 && at < lines.size(); ++k) {
        const std::string name = instructionName(defaultBenchSettings.arbTestList[k]);
        EXPECT_EQ(0u, lines[at].rfind(name + " ", 0)) << "block " << k << ": " << lines[at];
        at += 6;
        if (at < lines.size() && lines[at].find("fragments were shaded") != std::string::npos) ++at;
        ASSERT_LT(at, lines.size()) << name;
        const std::regex net("(Net " + name +
                             ": .* GInstr/sec, .* GFlops/sec \\(.*; lengths 8, 16, 32; r2 .*\\))|" +
                             "(Warning: no net figures for " + name + ": .*)");
        EXPECT_TRUE(std::regex_match(lines[at], net)) << lines[at];
        ++at;
    }
    EXPECT_EQ(lines.size(), at) << "nothing after the last test's Net line";
}

TEST_F(AllInstructionsRun, NvLanguagesStopOnTheirMissingExtension) {
    struct Case {
        std::vector<std::string> args;
        const char* line;
    };
    const Case cases[] = {
        {{"-a", "-n", "fp2"}, "GL_NV_fragment_program2 not supported"},
        {{"-a", "-f", "fp1"}, "GL_NV_fragment_program not supported"},
        {{"-a", "-f", "fp4"}, "GL_NV_fragment_program4 not supported"},
    };
    for (const Case& c : cases) {
        const KorvexRun result = run(c.args);
        EXPECT_EQ(2, result.exitCode) << c.line << "\n" << result.out << result.err;
        EXPECT_NE(std::string::npos, result.out.find(std::string(c.line) + "\r\n")) << result.out;
        EXPECT_FALSE(directory_.exists("korvex_results.txt")) << c.line;
    }
}

}  // namespace
