#include "app/measuring/test_loop.h"

#include <gtest/gtest.h>

#include "app/programs/program_set.h"
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
        testFigures = {blurFigures(), blurFigures()};
        programDigests = {"", ""};
    }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        programIds.clear();
        testFigures.clear();
        resultLines.clear();
    }
    recording_gl::Install fakes_;
};

TEST_F(TestLoopTest, ShowsTheWholeListAfterEveryTestOneLineAWriteAndSavesItInCrLf) {
    TempDir directory(true);
    ConsoleCapture console;
    runTests(3);
    ASSERT_EQ(12u, resultLines.size());
    std::vector<std::string> expected(resultLines.begin(), resultLines.begin() + 6);
    expected.push_back("");
    expected.insert(expected.end(), resultLines.begin(), resultLines.end());
    expected.push_back("");
    EXPECT_EQ(expected, console.lines())
        << "the first block once per test, each printout closed by an empty line";
    EXPECT_EQ(expected.size(), console.writes().size()) << "one write per line";

    saveResults();
    std::string saved;
    for (const std::string& line : resultLines) saved += line + "\r\n";
    EXPECT_EQ(saved, directory.read("korvex_results.txt"));
}

}  // namespace
