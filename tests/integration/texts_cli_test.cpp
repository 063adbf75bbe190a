#include <gtest/gtest.h>

#include "tests/support/run_korvex.h"
#include "tests/support/temp_dir.h"

namespace {

KorvexRun runIn(const TempDir& dir, const std::vector<std::string>& args) {
    KorvexRunOptions options;
    options.workDir = dir.path();
    options.args = args;
    return runKorvex(options);
}

TEST(TextsCliTest, DisclaimerPrints22CrLfLinesAndExitsZero) {
    TempDir dir;
    const KorvexRun run = runIn(dir, {"-d"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ("", run.err);
    const std::vector<std::string> lines = crlfLines(run.out);
    ASSERT_EQ(22u, lines.size());
    EXPECT_EQ("korvex v0.7 x86_64 linux", lines[0]);
    EXPECT_EQ("\r\n", run.out.substr(run.out.size() - 2));
    EXPECT_EQ(std::string::npos, run.out.find("\n\n")) << "every line ends in CR LF";
}

TEST(TextsCliTest, AnyThirtyParametersAndHelpPrintTheUsage) {
    TempDir dir;
    std::vector<std::string> thirty;
    for (int i = 0; i < 30; ++i) thirty.push_back(i % 2 ? "-I" : "whatever");
    for (const auto& args :
         {thirty, std::vector<std::string>{"--help"}, std::vector<std::string>{"-h", "-d"}}) {
        const KorvexRun run = runIn(dir, args);
        EXPECT_EQ(0, run.exitCode);
        const std::vector<std::string> lines = crlfLines(run.out);
        ASSERT_EQ(95u, lines.size());
        EXPECT_EQ("Usage: korvex [-Options..]", lines[2]);
    }
}

// korvex's own options are read first: a value they refuse ends the program
// before anything is printed, opened or written.
TEST(TextsCliTest, ARefusedValueOfKorvexsOwnOptionsStopsWithOneLineAndExitCode2) {
    TempDir dir;
    const KorvexRun run = runIn(dir, {"-I", "5", "--min-time", "0,5", "--json", "r.json"});
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("--min-time takes seconds above 0 up to 3600, with \".\" as the decimal point, not \"0,5\"\r\n",
              run.err);
    EXPECT_FALSE(dir.exists("r.json"));
    EXPECT_FALSE(dir.exists("korvex_results.txt"));

    const KorvexRun missing = runIn(dir, {"-d", "--repeat"});
    EXPECT_EQ(2, missing.exitCode) << "before the disclaimer";
    EXPECT_EQ("--repeat takes a whole number from 1 to 1000, and no value follows it\r\n", missing.err);
}

}  // namespace
