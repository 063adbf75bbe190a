// --precision: the median's distribution-free interval, the rule that ends a
// program's sections, and the lines and JSON that show what they reached.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/measuring/median_interval.h"
#include "app/measuring/program_timing.h"
#include "app/results/result_lines.h"
#include "app/results/results_json.h"

namespace {

TEST(MedianIntervalTest, RanksAndCoverageFollowTheBinomialTableForSmallAndLargeSamples) {
    // n and k of [x(k), x(n + 1 - k)], from the published table up to 20, and
    // by exact binomial sums at 100 and 1000.
    const std::pair<std::size_t, std::size_t> ranks[] = {{5, 0},  {6, 1},  {8, 1},    {9, 2},     {10, 2},
                                                         {17, 5}, {20, 6}, {100, 40}, {1000, 469}};
    for (const auto& [n, k] : ranks) EXPECT_EQ(k, medianIntervalRank(n)) << n;

    const auto nine = medianInterval({9, 1, 8, 2, 7, 3, 6, 4, 5});
    ASSERT_TRUE(nine);
    EXPECT_EQ(std::make_tuple(std::size_t{2}, std::size_t{8}, 2.0, 8.0),
              std::make_tuple(nine->lowRank, nine->highRank, nine->low, nine->high));
    EXPECT_DOUBLE_EQ(1.0 - 2.0 * 10.0 / 512.0, nine->coverage);
    EXPECT_NEAR(0.9537088026395019, medianInterval(std::vector<double>(1000, 1.0))->coverage, 1e-9)
        << "2^-1000 underflows; the sums must not";
    EXPECT_FALSE(medianInterval({1, 2, 3, 4, 5})) << "not even the whole sample of 5 covers 95%";

    EXPECT_EQ(100.0, intervalReachPercent(*nine, 4.0)) << "the longer side: 8 is 4 above 4";
    EXPECT_EQ(0.0, intervalReachPercent({1, 6, 0.0, 0.0, 1.0}, 0.0));
    EXPECT_TRUE(std::isinf(intervalReachPercent({1, 6, 0.0, 1.0, 1.0}, 0.0)));
}

// Sections that last the given times in turn, starting over at the end, and
// cost `costFactor` times as long with their warm-up.
SectionDraw scripted(std::vector<double> ms, int& drawn, double costFactor) {
    return [ms = std::move(ms), &drawn, costFactor](int) {
        const double elapsed = ms[drawn++ % ms.size()];
        return DrawnSection{elapsed, std::nullopt, costFactor * elapsed};
    };
}

TimedProgram timeToPrecision(std::vector<double> ms, int repeat, double maxTimeS, double costFactor = 1.0) {
    RunOptions options;
    options.precisionPct = 1.0;
    options.repeat = repeat;
    options.maxTimeS = maxTimeS;
    int drawn = 0;
    ProgressLine progress(false);
    return timeBoundProgram(
        {timingPolicy(options, 10), scripted(std::move(ms), drawn, costFactor), progress});
}

TEST(StoppingRuleTest, StopsWhenTheIntervalIsTightAfterTheFewestSections) {
    const TimedProgram quiet = timeToPrecision({100.0, 100.5, 99.5}, 1, 0.0);
    EXPECT_EQ(6u, quiet.sectionsMs.size()) << "5 sections have no 95% interval; 6 reach 0.5%";
    ASSERT_TRUE(quiet.precision);
    EXPECT_EQ(PrecisionStop::converged, quiet.precision->stop);
    EXPECT_DOUBLE_EQ(0.5, quiet.precision->reachPct);
    EXPECT_EQ(8u, timeToPrecision({100.0, 100.5, 99.5}, 8, 0.0).sectionsMs.size())
        << "--repeat raises the fewest";
}

TEST(StoppingRuleTest, StopsBeforeASectionWouldPassTheTimeLimitOrAtTheMostSections) {
    const TimedProgram noisy = timeToPrecision({80.0, 120.0, 100.0, 90.0, 110.0}, 1, 1.0);
    ASSERT_EQ(10u, noisy.sectionsMs.size()) << "1000 ms spent; an 11th section would pass the limit";
    EXPECT_EQ(PrecisionStop::timeLimit, noisy.precision->stop);
    EXPECT_DOUBLE_EQ(20.0, noisy.precision->reachPct) << "x(2) = 80 and x(9) = 120 around 100";

    const PrecisionGoal goal{1.0, 5, 7, 0.0};
    EXPECT_FALSE(precisionOutcome({1.0, 5, 7, 100.0}, {100, 100, 100, 100}, 400.0, 100.0))
        << "the fewest even past the limit";
    const auto most = precisionOutcome(goal, {90, 110, 90, 110, 90, 110, 100}, 700.0, 100.0);
    EXPECT_EQ(PrecisionStop::sectionLimit, most.value().stop);
}

TEST(StoppingRuleTest, TheIntervalFollowsTheSpreadLineAndAnUnmetGoalWarnsInTheLinesAndTheJson) {
    const SetTest blur = {blurFigures(), programShape(defaultBenchSettings, std::nullopt), ""};
    const ResultStyle style = {" ", 2, ","};
    const TestResult noisy =
        testResult(blur, 1, 2, timeToPrecision({80.0, 120.0, 100.0, 90.0, 110.0}, 1, 1.0));
    const std::vector<std::string> lines = testResultLines(noisy, style);
    ASSERT_EQ(9u, lines.size());
    EXPECT_EQ(0u, lines[6].rfind("Spread: ", 0));
    EXPECT_EQ("Interval: 95% confidence, 80,0000 ms to 120,0000 ms, within 20% of the median (target 1%)",
              lines[7]);
    const std::string warning =
        "Warning: the runs stopped at --max-time after 10, with the interval within 20% "
        "of the median, not 1%";
    EXPECT_EQ(warning, lines[8]);
    EXPECT_EQ(std::vector<std::string>{warning}, testWarningLines(noisy, style));

    const nlohmann::ordered_json interval = testResultJson(noisy, style)["interval"];
    EXPECT_EQ(R"({"confidence":0.95,"low_rank":2,"high_rank":9,"low_ms":80.0,"high_ms":120.0,)"
              R"("coverage":0.978515625,"reach_pct":20.0,"target_pct":1.0,"stopped":"max_time"})",
              interval.dump());

    // The warm-ups double what each section costs: 5 sections take the second.
    const TestResult tooFew =
        testResult(blur, 1, 2, timeToPrecision({80.0, 120.0, 100.0, 90.0, 110.0}, 1, 1.0, 2.0));
    const std::vector<std::string> fewLines = testResultLines(tooFew, style);
    EXPECT_EQ((std::vector<std::string>{
                  "Interval: none at 95% confidence from 5 runs (target 1%)",
                  "Warning: the runs stopped at --max-time after 5, too few for a 95% interval"}),
              std::vector<std::string>(fewLines.begin() + 7, fewLines.end()));
    EXPECT_TRUE(testResultJson(tooFew, style)["interval"]["low_ms"].is_null());
}

TEST(StoppingRuleTest, OnlyTheOptionsAddTheirSettings) {
    RunOptions options;
    const auto settings = [&] {
        return resultsDocument({}, defaultBenchSettings, options, {" ", 2, "."}, {})["settings"];
    };
    EXPECT_FALSE(settings().contains("precision") || settings().contains("interleave"));
    options.precisionPct = 0.5;
    options.interleave = true;
    EXPECT_EQ(R"({"target_pct":0.5,"confidence":0.95,"max_time_s":null})", settings()["precision"].dump());
    EXPECT_EQ(true, settings()["interleave"]);
}

}  // namespace
