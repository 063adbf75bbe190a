#include "app/texts.h"

#include <gtest/gtest.h>

#include "app/main_block.h"
#include "base/errors.h"
#include "tests/support/console_capture.h"

namespace {

TEST(TextsTest, UsageHas95LinesStartingWithTheVersionLine) {
    const std::vector<std::string> lines = usageLines();
    ASSERT_EQ(95u, lines.size());
    EXPECT_EQ("korvex v0.7 x86_64 linux", lines[0]);
    EXPECT_EQ("", lines[1]);
    EXPECT_EQ("Usage: korvex [-Options..]", lines[2]);
    EXPECT_EQ("              RFL [fp1] DIV [fp2] DP2 [fp2] NRM [fp2]", lines[24]);
    EXPECT_EQ("          Save test result(s) to disk [named korvex_results.txt.", lines[92]);
    EXPECT_EQ("          Output license and disclaimer.", lines[94]);
}

TEST(TextsTest, DisclaimerHas22LinesWithEmptyLinesInTheirPlaces) {
    const std::vector<std::string> lines = disclaimerLines();
    ASSERT_EQ(22u, lines.size());
    EXPECT_EQ(versionLine(), lines[0]);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool shouldBeEmpty = i + 1 == 3 || i + 1 == 6 || i + 1 == 12 || i + 1 == 14 || i + 1 == 20;
        EXPECT_EQ(shouldBeEmpty, lines[i].empty()) << "line " << i + 1;
    }
    EXPECT_EQ("License", lines[3]);
    EXPECT_EQ("--------", lines[4]);
    EXPECT_EQ("Disclaimer", lines[12]);
    EXPECT_EQ("Mar 4 2007", lines[20]);
    EXPECT_NE(std::string::npos, lines[14].find("may not be held"));
    EXPECT_EQ('.', lines[18].back());
}

TEST(TextsTest, NoLineHasTrailingBlanks) {
    for (const auto& text : {usageLines(), disclaimerLines()})
        for (const std::string& line : text)
            EXPECT_TRUE(line.empty() || (line.back() != ' ' && line.back() != '\t')) << '"' << line << '"';
}

// Runs the main block and returns its exit code and what it printed.
std::pair<int, ConsoleCapture*> runMain(const std::vector<std::string>& parameters, ConsoleCapture& capture) {
    try {
        return {korvexMain(parameters), &capture};
    } catch (const OrderlyStop& stop) {
        return {stop.exitCode, &capture};
    }
}

TEST(MainBlockTest, ThirtyParametersPrintTheUsageLineByLine) {
    ConsoleCapture capture;
    const auto [code, output] = runMain(std::vector<std::string>(30, "-d"), capture);
    EXPECT_EQ(0, code);
    EXPECT_EQ(usageLines(), output->lines());
    EXPECT_EQ(95u, output->writes().size()) << "one write per line";
    for (const std::string& write : output->writes()) EXPECT_EQ("\r\n", write.substr(write.size() - 2));
}

TEST(MainBlockTest, HelpPrintsTheUsage) {
    for (const char* help : {"-h", "--help"}) {
        ConsoleCapture capture;
        EXPECT_EQ(0, runMain({"-I", "5", help}, capture).first);
        EXPECT_EQ(usageLines(), capture.lines());
    }
}

TEST(MainBlockTest, DisclaimerWinsOverEveryOtherOptionButTheUsage) {
    for (const std::vector<std::string>& parameters : {std::vector<std::string>{"-d"},
                                                       {"-g", "-D"},
                                                       {"/d", "-a"},
                                                       {"--disclaimer"},
                                                       {"/-DISCLAIMER"},
                                                       std::vector<std::string>(31, "-d"),
                                                       std::vector<std::string>(29, "-d")}) {
        ConsoleCapture capture;
        EXPECT_EQ(0, runMain(parameters, capture).first);
        EXPECT_EQ(disclaimerLines(), capture.lines()) << parameters.size() << " parameters";
    }
}

}  // namespace
