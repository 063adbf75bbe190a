// The measurement options and what they drive: section statistics, the
// minimum-time calibration, repeated sections and the progress line.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/measuring/iteration_calibration.h"
#include "app/measuring/program_timing.h"
#include "app/measuring/progress_line.h"
#include "app/measuring/section_statistics.h"
#include "app/measuring/timed_draw.h"
#include "app/options/measurement_options.h"
#include "app/results/result_lines.h"
#include "tests/support/recording_gl.h"

namespace {

TEST(SectionStatisticsTest, MedianOfOddAndEvenCountsAndTheSpreadLine) {
    const SectionSummary odd = summarizeSections({30.0, 10.0, 20.0, 50.0, 40.0});
    EXPECT_EQ(10.0, odd.minMs);
    EXPECT_EQ(30.0, odd.medianMs);
    EXPECT_EQ(50.0, odd.maxMs);
    EXPECT_EQ(25.0, summarizeSections({40.0, 10.0, 30.0, 20.0}).medianMs) << "the mean of the middle two";
    EXPECT_EQ(7.5, summarizeSections({7.5}).medianMs);
    EXPECT_EQ("Spread: min 10,0000 ms, median 1234,5679 ms, max 99999,0000 ms over 3 runs",
              spreadLine({10.0, 1234.56789, 99999.0}, 3, ","));
}

TEST(MeasurementOptionsTest, TakesItsOptionsAndLeavesTheRestToTheSpecifiedOnes) {
    BenchSettings settings = defaultBenchSettings;
    const std::vector<std::string> rest =
        takeMeasurementOptions({"--repeat", "5", "-a", "--min-time", "0.25", "--json", "/a", "--csv", "r.csv",
                                "--no-progress", "--net", "-I", "7"},
                               settings);
    EXPECT_EQ((std::vector<std::string>{"-a", "-I", "7"}), rest) << "a value like /a is no switch";
    EXPECT_EQ(5, settings.repeat);
    EXPECT_EQ(0.25, settings.minTime);
    EXPECT_EQ("/a", settings.json);
    EXPECT_EQ("r.csv", settings.csv);
    EXPECT_EQ(1, settings.noProgress);
    EXPECT_EQ(1, settings.net);
    EXPECT_TRUE(settingsInvariantsHold(settings));
}

TEST(MeasurementOptionsTest, BadOrMissingValuesLeaveTheDefaults) {
    const std::vector<std::vector<std::string>> cases = {
        {"--repeat", "0"},
        {"--repeat", "1001"},
        {"--repeat", "abc"},
        {"--repeat"},
        {"--min-time", "-1"},
        {"--min-time", "abc"},
        {"--min-time", "0"},
        {"--min-time", "1,5"},
        {"--min-time", "nan"},
        {"--min-time", "inf"},
        {"--min-time", "3600.5"},
        {"--json", ""},
        {"--csv"},
        {"--Repeat", "5"},
    };
    for (const std::vector<std::string>& parameters : cases) {
        BenchSettings settings = defaultBenchSettings;
        takeMeasurementOptions(parameters, settings);
        EXPECT_EQ(1, settings.repeat) << parameters[0];
        EXPECT_EQ(0.0, settings.minTime) << parameters[0];
        EXPECT_EQ("", settings.json + settings.csv) << parameters[0];
    }
    EXPECT_EQ(1.5, parseSeconds("1.5"));
}

// A section of n quads lasts fixedMs + n x perQuadMs; every count asked for
// is kept.
struct FakeSections {
    double fixedMs;
    double perQuadMs;
    std::vector<int> asked;
    SectionTimer timer() {
        return [this](int iterations) {
            asked.push_back(iterations);
            return fixedMs + iterations * perQuadMs;
        };
    }
};

TEST(CalibrationTest, GrowsUntilASectionLastsTheMinimumAndStops) {
    FakeSections sections{0.5, 3.0, {}};
    const int iterations = calibrateIterations(1000.0, sections.timer());
    EXPECT_GE(0.5 + iterations * 3.0, 1000.0);
    EXPECT_LE(iterations, 400) << "at most the margin above the 333 quads needed";
    EXPECT_EQ(iterations, sections.asked.back()) << "the count returned was timed and reached the minimum";
    EXPECT_TRUE(std::is_sorted(sections.asked.begin(), sections.asked.end()));
    EXPECT_LE(sections.asked.size(), 5u);
    double before = 0;
    for (std::size_t i = 0; i + 1 < sections.asked.size(); ++i) before += 0.5 + sections.asked[i] * 3.0;
    EXPECT_LE(before, 100.0) << "the sections before the last cost a small share of the minimum";
}

TEST(CalibrationTest, StopsAtOneQuadThatIsLongEnoughAndAtTheLargestCount) {
    FakeSections slow{0.0, 2000.0, {}};
    EXPECT_EQ(1, calibrateIterations(1000.0, slow.timer()));
    EXPECT_EQ(1u, slow.asked.size());
    FakeSections timeless{0.0, 0.0, {}};
    EXPECT_EQ(mostIterations, calibrateIterations(1000.0, timeless.timer()))
        << "no overflow, no endless loop";
    FakeSections tiny{0.0, 1e-9, {}};
    EXPECT_EQ(mostIterations, calibrateIterations(1000.0, tiny.timer()));
}

TEST(ProgramTimingTest, RepeatsTheCalibratedCountAndKeepsADifferingFragmentCount) {
    FakeSections sections{0.0, 2.0, {}};
    std::vector<std::optional<std::uint64_t>> counts = {std::nullopt};  // calibration reads none
    const auto expected = [](int iterations) { return std::uint64_t(pixelsPerIteration) * iterations; };
    int reads = 0;
    const TimedProgram timed = timeBoundProgram({10000, 100.0, 3}, sections.timer(), [&]() {
        ++reads;
        const std::uint64_t full = expected(sections.asked.back());
        return std::optional<std::uint64_t>(reads == 2 ? full - 1 : full);
    });
    EXPECT_EQ(3u, timed.sectionsMs.size());
    EXPECT_GE(timed.iterations * 2.0, 100.0) << "-I is not used with a minimum time";
    EXPECT_EQ(expected(timed.iterations) - 1, timed.fragmentsCounted) << "the short section is reported";
    const auto calibrationRuns = sections.asked.size() - 3;
    EXPECT_TRUE(std::all_of(sections.asked.begin() + calibrationRuns, sections.asked.end(),
                            [&](int n) { return n == timed.iterations; }));

    FakeSections fixed{0.0, 1.0, {}};
    const TimedProgram plain = timeBoundProgram({7, 0.0, 1}, fixed.timer(), [] { return std::nullopt; });
    EXPECT_EQ(std::vector<int>{7}, fixed.asked) << "a fixed count times one section, no calibration";
    EXPECT_FALSE(plain.fragmentsCounted);
}

std::vector<int> observed;
std::string progressWritten;

TEST(ProgressTest, TheDrawReportsEveryStrideAndTheLineRewritesItselfAndIsErased) {
    recording_gl::Install fakes;
    const ProgressWriter previousWriter = progressWriter;
    progressWriter = [](const std::string& bytes) { progressWritten += bytes; };
    submissionObserver = [](int submitted) { observed.push_back(submitted); };
    timedDraw(2 * submissionStride + 2);
    EXPECT_EQ((std::vector<int>{submissionStride, 2 * submissionStride, 2 * submissionStride + 2}), observed);
    EXPECT_EQ(2 * submissionStride + 2 + 2,
              std::count(recording_gl::calls().begin(), recording_gl::calls().end(),
                         recording_gl::call("glBegin", glenum::QUADS)))
        << "the stride changes no quad count (the plain quad and the warm-up quad before the timer)";

    enableProgress(true);
    progressStartTest(2, 25, "MUL");
    progressStartSection(1, 5, 10000);
    progressStartSection(2, 5, 10000);
    EXPECT_EQ(0u, progressWritten.find("\rTest 2 of 25, MUL: run 1 of 5, 0% of 10000 quads submitted, 0 s"));
    EXPECT_NE(std::string::npos, progressWritten.find("\rTest 2 of 25, MUL: run 2 of 5, 0%"));
    const std::size_t shown = progressWritten.size() - progressWritten.rfind('\r') - 1;
    progressWritten.clear();
    eraseProgress();
    EXPECT_EQ("\r" + std::string(shown, ' ') + "\r", progressWritten);
    enableProgress(false);
    progressWritten.clear();
    progressStartSection(1, 1, 5);
    EXPECT_EQ("", progressWritten) << "nothing without a terminal";
    EXPECT_EQ(nullptr, submissionObserver);
    progressWriter = previousWriter;

    ProgressState state{3, 25, "MUL", 2, 4, 100, 50};
    EXPECT_EQ("Test 3 of 25, MUL: run 2 of 4, 50% of 100 quads submitted, 9 s elapsed, about 10 s left",
              progressText(state, 9.0, 6.0))
        << "1.5 of 4 runs' quads in 6 s";
    state.run = 0;
    EXPECT_EQ("Test 3 of 25, MUL: calibrating with 100 quads, 2 s elapsed", progressText(state, 2.0, 0.0));
}

}  // namespace
