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

}  // namespace
