#include "app/measuring/latency_test.h"

#include <gtest/gtest.h>

#include "app/measuring/timed_draw.h"
#include "app/programs/program_set.h"
#include "bench/marlune_timer.h"
#include "bench/settings.h"
#include "tests/support/console_capture.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_gl.h"

namespace {

std::int64_t counterNow = 0;
std::int64_t oneMegahertz() { return 1000000; }
// 1000 ms between the readings around the timed section.
std::int64_t counter() { return counterNow += 1000000; }

TEST(LatencyResult, CountsEveryOutputOverTheDrawnArea) {
    const auto bytes = [](int components, int outputs, int iterations) {
        return latencyResult(outputs, components, {iterations, {1000.0}, std::nullopt}).bytes;
    };
    EXPECT_DOUBLE_EQ(bytes(1, 1, 1), 4.0 * 512 * 768);
    EXPECT_DOUBLE_EQ(bytes(4, 4, 10000), 4.0 * 4 * 4 * 10000 * 512 * 768);
    EXPECT_DOUBLE_EQ(bytes(3, 2, 7), 3.0 * 4 * 2 * 7 * 512 * 768);
    const LatencyResult result = latencyResult(2, 3, {7, {2000.0}, std::nullopt});
    EXPECT_DOUBLE_EQ(result.bytes / 2.0, result.bytesPerSecond);
    EXPECT_DOUBLE_EQ(result.bytesPerSecond / (1024.0 * 1024.0 * 1024.0), result.gigabytesPerSecond);
}

class LatencyTest : public ::testing::Test {
protected:
    void SetUp() override {
        benchSettings = defaultBenchSettings;
        benchSettings.multipleOutputs = 1;
        benchSettings.iterations = 10000;
        platform_.operations.counterFrequency = oneMegahertz;
        platform_.operations.counterValue = counter;
        platform_.install();
        resetTimer();
        programIds = {42};
    }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        resetTimer();
        programIds.clear();
    }

    // Runs the test with timedDraw, `counting` and the -I count.
    std::vector<LatencyResult> run(const FragmentCounting& counting = {}) {
        return latencyBandwidthTest(
            {{benchSettings.iterations, 0.0, 1}, sectionDraw(counting, progress_), progress_});
    }

    recording_gl::Install fakes_;
    ConsoleCapture console_;
    FakePlatform platform_;
    ProgressLine progress_{false};
};

TEST_F(LatencyTest, PrintsTheTimeAndThroughputAndReturnsThem) {
    const std::vector<LatencyResult> results = run();
    // 4 x 4 x 4 bytes x 10000 x 512 x 768 in one second.
    EXPECT_EQ(console_.lines(), (std::vector<std::string>{"1000.0000 ms latency", "234.3750 GB/sec"}));
    ASSERT_EQ(1u, results.size());
    EXPECT_EQ(4, results[0].outputs);
    EXPECT_DOUBLE_EQ(234.375, results[0].gigabytesPerSecond);
}

// Other programs read the two lines; a count that differs is noted on
// standard error.
TEST_F(LatencyTest, TheShadingWarningGoesToStandardErrorAndTheOutputKeepsItsTwoLines) {
    run({true, false});
    EXPECT_EQ(console_.lines(), (std::vector<std::string>{"1000.0000 ms latency", "234.3750 GB/sec"}));
    EXPECT_EQ(console_.errorText(),
              "Warning: 0 of 3932160000 fragments passed; the rates assume all 3932160000 were shaded\r\n");
}

TEST_F(LatencyTest, BindsTheFirstProgramOnTheArbTargetWithTheEnvParameter) {
    benchSettings.fragmentProgram = 2;
    run();
    const std::vector<std::string>& calls = recording_gl::calls();
    const auto bind = std::find(calls.begin(), calls.end(),
                                recording_gl::call("glBindProgramARB", glenum::FRAGMENT_PROGRAM_ARB, 42u));
    ASSERT_NE(bind, calls.end());
    EXPECT_EQ(bind[1], recording_gl::call("glProgramEnvParameter4fARB", glenum::FRAGMENT_PROGRAM_ARB, 0u,
                                          1.0f, 0.2f, 0.7f, 0.5f));
    EXPECT_EQ(bind[2], recording_gl::call("glEnable", glenum::FRAGMENT_PROGRAM_ARB));
}

TEST_F(LatencyTest, SelectsTheOutputsThroughTheEntryPointOfTheFoundExtension) {
    benchSettings.outputCount = 2;
    run();
    EXPECT_EQ(recording_gl::countCalls("glDrawBuffersARB(2, ptr)"), 1);
    EXPECT_EQ(recording_gl::countCalls("glDrawBuffersATI"), 0);
    EXPECT_EQ(recording_gl::countCalls("glGenTextures(2, ptr)"), 1);
    EXPECT_EQ(recording_gl::countCalls("glTexParameterf(3553, 10242, 10496)"), 2);

    recording_gl::clearCalls();
    benchSettings.arbDrawBuffers = 0;
    run();
    EXPECT_EQ(recording_gl::countCalls("glDrawBuffersARB"), 0);
    EXPECT_EQ(recording_gl::countCalls("glDrawBuffersATI(2, ptr)"), 1);
}

}  // namespace
