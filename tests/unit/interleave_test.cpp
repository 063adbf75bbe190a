// --interleave: the tests' sections in rounds, each test calibrated before
// the first, converged tests left out of later rounds, and a machine that
// slows down over the run weighing on every test alike. The net variants'
// turns are in net_measurement_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/measuring/test_loop.h"
#include "bench/settings.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"

namespace {

// The program object bound last, from the recorded calls.
int boundProgram() {
    const std::vector<std::string>& calls = recording_gl::calls();
    const std::string bind = "glBindProgramARB(34820, ";
    const auto last = std::find_if(calls.rbegin(), calls.rend(),
                                   [&](const std::string& call) { return call.rfind(bind, 0) == 0; });
    return last == calls.rend() ? 0 : std::stoi(last->substr(bind.size()));
}

class InterleaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        benchSettings = defaultBenchSettings;
        benchSettings.programCount = 4;
        programIds = {1, 2, 3, 4};
        const SetTest blur = {blurFigures(), programShape(benchSettings, std::nullopt), ""};
        compiled_ = {{blur, blur, blur, blur}, {}};
        options_.interleave = true;
    }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        programIds.clear();
        resultLines.clear();
    }

    // Times the tests with -I 10, each section lasting what `ms` says for the
    // bound program and the count; keeps which program each section drew.
    std::vector<TestResult> run(const std::function<double(int program, int iterations)>& ms) {
        const SectionDraw draw = [&](int iterations) {
            drawn_.push_back(boundProgram());
            return DrawnSection{ms(boundProgram(), iterations), std::nullopt};
        };
        return runTests(compiled_, {timingPolicy(options_, 10), draw, progress_}, {" ", 2, "."});
    }

    recording_gl::Install fakes_;
    ConsoleCapture console_;
    ProgressLine progress_{false};
    CompiledSet compiled_;
    RunOptions options_;
    std::vector<int> drawn_;  // the program of each section
};

TEST_F(InterleaveTest, WithAPrecisionEachTestIsCalibratedFirstAndConvergedTestsLeaveTheRounds) {
    benchSettings.programCount = 3;
    options_.minTimeS = 0.01;
    options_.precisionPct = 1.0;
    options_.maxTimeS = 0.2;
    // Program 2 swings by 10% from section to section and never converges.
    int sections = 0;
    const std::vector<TestResult> results = run([&](int program, int n) {
        return n * (program != 2 ? 1.0 : ++sections % 2 ? 1.1 : 0.9);
    });
    ASSERT_EQ(3u, results.size());
    EXPECT_EQ(6u, results[0].timed.sectionsMs.size());
    EXPECT_EQ(6u, results[2].timed.sectionsMs.size());
    EXPECT_EQ(PrecisionStop::timeLimit, results[1].timed.precision->stop);
    // Calibration: 1 quad, then the count that reaches 10 ms (twice for 2).
    std::vector<int> expected = {1, 1, 2, 2, 2, 3, 3};
    for (int round = 0; round < 6; ++round) expected.insert(expected.end(), {1, 2, 3});
    expected.resize(expected.size() + results[1].timed.sectionsMs.size() - 6, 2);
    EXPECT_EQ(expected, drawn_);
    EXPECT_GT(results[1].timed.sectionsMs.size(), 8u);
    EXPECT_EQ(testResultLines(results[1], {" ", 2, "."}),
              std::vector<std::string>(resultLines.begin() + 8, resultLines.begin() + 17))
        << "the lines in test order: the first block and its Spread and Interval lines, then the second";
}

TEST_F(InterleaveTest, AMachineThatSlowsDownOverTheRunWeighsOnEqualTestsAlikeOnlyInRounds) {
    options_.repeat = 11;
    // Equal tests; every quad takes 10% longer by the end of the run.
    const auto largestRatio = [&](bool interleave) {
        options_.interleave = interleave;
        double clock = 0.0;
        const double runMs = 4 * 11 * 10.0;
        const std::vector<TestResult> results = run([&](int, int n) {
            const double ms = n * (1.0 + 0.1 * std::min(clock / runMs, 1.0));
            clock += ms;
            return ms;
        });
        double largest = 0.0;
        for (const TestResult& result : results)
            largest =
                std::max(largest, std::abs(result.sections.medianMs / results[0].sections.medianMs - 1.0));
        return largest;
    };
    EXPECT_LT(largestRatio(true), 0.01);
    EXPECT_GT(largestRatio(false), 0.05);
}

}  // namespace
