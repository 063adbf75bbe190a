// What the measurement options drive: section statistics, the minimum-time
// calibration, repeated sections and the progress line.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/measuring/iteration_calibration.h"
#include "app/measuring/program_timing.h"
#include "app/measuring/progress_line.h"
#include "app/measuring/section_statistics.h"
#include "app/measuring/timed_draw.h"
#include "app/results/result_lines.h"
#include "platform/host_info.h"
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

// A section of n quads lasts fixedMs + n x perQuadMs and shades what
// `fragments` says; every count asked for is kept.
struct FakeSections {
    double fixedMs;
    double perQuadMs;
    std::vector<int> asked;
    std::function<std::optional<std::uint64_t>(int)> fragments = [](int) { return std::nullopt; };
    SectionTimer timer() {
        return [this](int iterations) { return draw()(iterations).elapsedMs; };
    }
    SectionDraw draw() {
        return [this](int iterations) {
            asked.push_back(iterations);
            return DrawnSection{fixedMs + iterations * perQuadMs, fragments(iterations)};
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
    const auto expected = [](int iterations) { return std::uint64_t(pixelsPerIteration) * iterations; };
    // Calibration times 1 and then 58 quads; the second timed section comes
    // short, and so does the first calibration section, which counts for nothing.
    int drawn = 0;
    sections.fragments = [&](int iterations) -> std::optional<std::uint64_t> {
        ++drawn;
        return drawn == 1 || drawn == 4 ? expected(iterations) - 1 : expected(iterations);
    };
    ProgressLine progress(false);
    const TimedProgram timed = timeBoundProgram({{10000, 100.0, 3}, sections.draw(), progress});
    ASSERT_EQ(5u, sections.asked.size());
    EXPECT_EQ(3u, timed.sectionsMs.size());
    EXPECT_GE(timed.iterations * 2.0, 100.0) << "-I is not used with a minimum time";
    EXPECT_EQ(expected(timed.iterations) - 1, timed.fragmentsCounted) << "the short section is reported";
    const auto calibrationRuns = sections.asked.size() - 3;
    EXPECT_TRUE(std::all_of(sections.asked.begin() + calibrationRuns, sections.asked.end(),
                            [&](int n) { return n == timed.iterations; }));

    FakeSections fixed{0.0, 1.0, {}};
    const TimedProgram plain = timeBoundProgram({{7, 0.0, 1}, fixed.draw(), progress});
    EXPECT_EQ(std::vector<int>{7}, fixed.asked) << "a fixed count times one section, no calibration";
    EXPECT_FALSE(plain.fragmentsCounted);
}

TEST(ProgressTest, TheDrawReportsEveryStrideAndTheLineRewritesItselfAndIsErased) {
    recording_gl::Install fakes;
    std::vector<int> observed;
    timedDraw(2 * submissionStride + 2, {}, [&](int submitted) { observed.push_back(submitted); });
    EXPECT_EQ((std::vector<int>{submissionStride, 2 * submissionStride, 2 * submissionStride + 2}), observed);
    EXPECT_EQ(2 * submissionStride + 2 + 2,
              std::count(recording_gl::calls().begin(), recording_gl::calls().end(),
                         recording_gl::call("glBegin", glenum::QUADS)))
        << "the stride changes no quad count (the plain quad and the warm-up quad before the timer)";

    std::string written;
    ProgressLine progress(
        true, [&](const std::string& bytes) { written += bytes; }, [] { return 200; });
    EXPECT_TRUE(progress.observer());
    progress.startTest(2, 25, "MUL");
    progress.startSection(1, 5, 10000);
    progress.startSection(2, 5, 10000);
    EXPECT_EQ(0u, written.find("\rTest 2 of 25, MUL: run 1 of 5, 0% of 10000 quads submitted, 0 s"));
    EXPECT_NE(std::string::npos, written.find("\rTest 2 of 25, MUL: run 2 of 5, 0%"));
    const std::size_t shown = written.size() - written.rfind('\r') - 1;
    written.clear();
    progress.erase();
    EXPECT_EQ("\r" + std::string(shown, ' ') + "\r", written);

    ProgressLine hidden(false, [&](const std::string& bytes) { written += bytes; });
    written.clear();
    hidden.startTest(1, 1, "MAD");
    hidden.startSection(1, 1, 5);
    hidden.erase();
    EXPECT_EQ("", written) << "nothing without a terminal";
    EXPECT_FALSE(hidden.observer());

    ProgressState state{3, 25, "MUL", 2, 4, 100, 50};
    EXPECT_EQ("Test 3 of 25, MUL: run 2 of 4, 50% of 100 quads submitted, 9 s elapsed, about 10 s left",
              progressText(state, 9.0, 6.0))
        << "1.5 of 4 runs' quads in 6 s";
    state.runs = 0;
    EXPECT_EQ("Test 3 of 25, MUL: run 2, 50% of 100 quads submitted, 9 s elapsed",
              progressText(state, 9.0, 6.0))
        << "no estimate where the total is open";
    state.run = 0;
    EXPECT_EQ("Test 3 of 25, MUL: calibrating with 100 quads, 2 s elapsed", progressText(state, 2.0, 0.0));
}

// A line as wide as the terminal wraps, and erasing it then leaves a row.
TEST(ProgressTest, TheLineStaysShortOfTheTerminalsWidth) {
    const std::string text =
        "Test 3 of 25, MUL: run 2 of 4, 50% of 100 quads submitted, 9 s elapsed, about 10 s left";
    EXPECT_EQ(text, fittedText(text, 87));
    EXPECT_EQ("Test 3 of 25, MUL: run 2 of 4, 50% of 100 quads submitted, 9 s elapsed", fittedText(text, 79));
    EXPECT_EQ("Test 3 of 25", fittedText(text, 19));
    EXPECT_EQ("Test 3", fittedText(text, 6)) << "no comma that fits: cut at the width";
    EXPECT_EQ("", fittedText(text, 0));
    EXPECT_EQ("A\xc3\xa9\xc3\xa9", fittedText("A\xc3\xa9\xc3\xa9\xc3\xa9", 3))
        << "a character is never split";

    std::string written;
    int columns = 20;
    ProgressLine progress(
        true, [&](const std::string& bytes) { written += bytes; }, [&] { return columns; });
    progress.startTest(3, 25, "MUL");
    progress.startSection(1, 4, 100);
    EXPECT_EQ("\rTest 3 of 25", written);
    columns = 1;
    progress.startSection(2, 4, 100);
    progress.erase();
    EXPECT_EQ("\rTest 3 of 25\r" + std::string(12, ' ') + "\r", written)
        << "the longer line blanked, the cursor at the left margin, nothing left to erase";

    EXPECT_EQ(100, platform::terminalColumns(100, "50"));
    EXPECT_EQ(50, platform::terminalColumns(0, "50"));
    for (const char* unusable : {"", "0", "-3", "50x", "wide"})
        EXPECT_EQ(80, platform::terminalColumns(0, unusable));
    EXPECT_EQ(80, platform::terminalColumns(0, nullptr));
}

}  // namespace
