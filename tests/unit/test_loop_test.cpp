#include "app/measuring/test_loop.h"

#include <gtest/gtest.h>

#include "app/results/result_files.h"
#include "bench/settings.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"
#include "tests/support/temp_dir.h"

namespace {

class TestLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        benchSettings = defaultBenchSettings;
        benchSettings.programCount = 2;
        programIds = {1, 2};
        const SetTest blur = {blurFigures(), programShape(benchSettings, std::nullopt), ""};
        compiled_ = {{blur, blur}, {}};
    }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        programIds.clear();
        resultLines.clear();
    }

    // Each section of n quads lasts n ms and shades `fragments`.
    std::vector<TestResult> run(std::optional<std::uint64_t> fragments = std::nullopt) {
        const SectionDraw draw = [fragments](int iterations) {
            return DrawnSection{iterations * 1.0, fragments};
        };
        return runTests(compiled_, {{3, 0.0, 2}, draw, progress_}, {" ", 2, "."});
    }

    recording_gl::Install fakes_;
    ProgressLine progress_{false};
    CompiledSet compiled_;
};

TEST_F(TestLoopTest, ShowsTheWholeListAfterEveryTestOneLineAWriteAndSavesItInCrLf) {
    TempDir directory(true);
    ConsoleCapture console;
    const std::vector<TestResult> results = run();
    ASSERT_EQ(2u, results.size());
    ASSERT_EQ(14u, resultLines.size()) << "each block, then the spread of its two sections";
    EXPECT_EQ(testResultLines(results[1], {" ", 2, "."}),
              std::vector<std::string>(resultLines.begin() + 7, resultLines.end()));
    std::vector<std::string> expected(resultLines.begin(), resultLines.begin() + 7);
    expected.push_back("");
    expected.insert(expected.end(), resultLines.begin(), resultLines.end());
    expected.push_back("");
    EXPECT_EQ(expected, console.lines())
        << "the first test's lines once per test, each printout closed by an empty line";
    EXPECT_EQ(expected.size(), console.writes().size()) << "one write per line";

    saveResultFiles({"", results, {}}, benchSettings, {}, {" ", 2, "."});
    std::string saved;
    for (const std::string& line : resultLines) saved += line + "\r\n";
    EXPECT_EQ(saved, directory.read("korvex_results.txt"));
}

TEST_F(TestLoopTest, ASectionThatShadedTooFewFragmentsAddsTheWarningAfterItsBlock) {
    ConsoleCapture console;
    benchSettings.vectorAndScalar = 1;
    const std::vector<TestResult> results = run(5u);
    EXPECT_EQ(4, results[0].instructionMultiplier) << "vector and scalar counts each instruction four times";
    EXPECT_EQ("Warning: 5 of 1179648 fragments passed; the rates assume all 1179648 were shaded",
              resultLines[7]);
    EXPECT_EQ(std::vector<std::string>{resultLines[7]}, testWarningLines(results[0], {" ", 2, "."}));
}

}  // namespace
