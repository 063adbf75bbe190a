// A test's net figures in the run: the fit through each variant's median
// per quad, the "net" object of the JSON results, and the test loop timing
// every variant once, right after the test, with the test's own timing
// standing for its own form.
#include <gtest/gtest.h>

#include "app/measuring/test_loop.h"
#include "app/results/net_result.h"
#include "app/results/net_results_json.h"
#include "app/results/results_json.h"
#include "bench/tables.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"

namespace {

// Sections of a variant whose quads cost fixed + perTested x tested +
// perHelper x helpers, at a count of its own; the median is the middle
// section, far from the mean.
std::vector<TimedProgram> modelTimings(const NetVariantSet& set) {
    std::vector<TimedProgram> timings;
    for (std::size_t v = 0; v < set.variants.size(); ++v) {
        const ProgramWork& work = set.variants[v].program.work;
        const int iterations = 10 * static_cast<int>(v + 1);
        const double section =
            iterations * (0.3 + 0.01 * work.testedInstructions + 0.004 * work.helperInstructions);
        timings.push_back({iterations, {1.5 * section, section, 0.99 * section}, std::nullopt});
    }
    return timings;
}

TEST(NetMeasurement, FitsTheMedianPerQuadOfEachVariantAndKeepsEveryTimingInTheJson) {
    BenchSettings settings = defaultBenchSettings;
    settings.length = 16;
    const NetVariantSet set = generateNetVariants(AluInstruction::ABS, settings, 0);
    ASSERT_EQ(6u, set.variants.size()) << "ABS has helpers: three lengths, with and without ABS";
    std::vector<TimedProgram> timings = modelTimings(set);

    NetResult result = netResult(set, timings);
    const NetFit& fit = result.fit;
    EXPECT_EQ(NetVerdict::trusted, fit.verdict);
    EXPECT_NEAR(0.01, fit.msPerTested, 1e-9);
    EXPECT_NEAR(0.004, fit.msPerHelper, 1e-9);
    EXPECT_NEAR(0.3, fit.fixedMsPerQuad, 1e-9);

    nlohmann::ordered_json net = netResultJson(result);
    ASSERT_EQ(6u, net["variants"].size());
    for (std::size_t v = 0; v < 6; ++v) {
        const nlohmann::ordered_json& variant = net["variants"][v];
        EXPECT_EQ(set.variants[v].length, variant["length"]);
        EXPECT_EQ(set.variants[v].helpersOnly, variant["helper_only"]);
        EXPECT_EQ(set.variants[v].program.work.testedInstructions, variant["tested_instructions"]);
        EXPECT_EQ(timings[v].iterations, variant["iterations"]);
        EXPECT_EQ(timings[v].sectionsMs, variant["sections_ms"].get<std::vector<double>>());
        EXPECT_EQ(timings[v].sectionsMs[1], variant["median_ms"]);
    }
    const double nsPerPixel = 0.01 * 1e6 / (512.0 * 768.0);
    EXPECT_TRUE(net["fit"]["trusted"].get<bool>());
    EXPECT_NEAR(nsPerPixel, net["fit"]["ns_per_instruction_pixel"].get<double>(), 1e-9);
    EXPECT_NEAR(1e9 / nsPerPixel, net["instructions_per_s"].get<double>(), 1.0);
    EXPECT_NEAR(1e9 / nsPerPixel * set.testedFlops, net["flops_per_s"].get<double>(), 1.0);

    // One length 10 % slow bends the line: the rates are withheld.
    for (double& section : timings[1].sectionsMs) section *= 1.1;
    net = netResultJson(netResult(set, timings));
    EXPECT_FALSE(net["fit"]["trusted"].get<bool>());
    EXPECT_TRUE(net["instructions_per_s"].is_null() && net["flops_per_s"].is_null());
    // A section of no time has no relative residual; JSON has no infinity.
    timings[1].sectionsMs = {0.0};
    net = netResultJson(netResult(set, timings));
    EXPECT_TRUE(net["fit"]["max_relative_residual"].is_null()) << net["fit"].dump();
}

class NetTestLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        benchSettings = defaultBenchSettings;
        benchSettings.allInstructions = 1;
        benchSettings.programCount = 1;
        benchSettings.length = 16;
        programIds = {7};
        NetTestPrograms programs;
        programs.set = generateNetVariants(AluInstruction::ABS, benchSettings, 0);
        programs.ids = {21, 7, 23, 24, 25, 26};
        programs.testVariant = 1;
        compiled_ = {{{{"ABS", 1, 1, 0, 16}, programShape(benchSettings, AluInstruction::ABS), ""}},
                     {programs}};
    }
    void TearDown() override {
        benchSettings = defaultBenchSettings;
        programIds.clear();
        resultLines.clear();
    }

    // Every section of n quads lasts n ms.
    std::vector<TestResult> run(TimingPolicy policy = {3, 0.0, 1}) {
        const SectionDraw draw = [](int iterations) { return DrawnSection{iterations * 1.0, std::nullopt}; };
        return runTests(compiled_, {policy, draw, progress_}, {" ", 2, "."});
    }

    recording_gl::Install fakes_;
    ConsoleCapture console_;
    ProgressLine progress_{false};
    CompiledSet compiled_;
};

TEST_F(NetTestLoopTest, TimesEachVariantOnceAfterTheTestAndEndsTheBlockWithTheNetLine) {
    const std::vector<TestResult> results = run();
    for (int id : {7, 21, 23, 24, 25, 26})
        EXPECT_EQ(1, recording_gl::countCalls("glBindProgramARB(34820, " + std::to_string(id) + ")")) << id;
    ASSERT_EQ(7u, resultLines.size());
    EXPECT_EQ(0u, resultLines[6].rfind("Warning: no net figures for ABS: ", 0))
        << "every length takes the same time: no net cost";

    ASSERT_EQ(1u, results.size());
    ASSERT_TRUE(results[0].net.has_value());
    const NetResult& net = *results[0].net;
    ASSERT_EQ(6u, net.variants.size());
    EXPECT_EQ(results[0].timed.sectionsMs, net.variants[1].timed.sectionsMs)
        << "the test's own form is the test's timing";
    EXPECT_EQ(3, net.variants[0].timed.iterations) << "the variants follow the run's policy";
    EXPECT_EQ(std::vector<std::string>{resultLines[6]}, testWarningLines(results[0], {" ", 2, "."}));
}

TEST_F(NetTestLoopTest, InRoundsTheVariantsTakeTheirTurnsAfterTheTest) {
    TimingPolicy policy{3, 0.0, 2};
    policy.interleave = true;
    const std::vector<TestResult> results = run(policy);
    std::string binds;
    for (const std::string& call : recording_gl::calls())
        if (call.rfind("glBindProgramARB(34820, ", 0) == 0) binds += call.substr(24);
    EXPECT_EQ("7)21)23)24)25)26)7)21)23)24)25)26)7)21)23)24)25)26)", binds)
        << "the warm-ups, then two rounds, the test's own form not again";
    EXPECT_EQ(results[0].timed.sectionsMs, results[0].net.value().variants[1].timed.sectionsMs);
}

TEST_F(NetTestLoopTest, ATestWithoutVariantsGetsTheWarningAndNoNetObject) {
    compiled_.net[0] = {};
    compiled_.net[0].set.unavailable = "too short";
    const std::vector<TestResult> results = run();
    ASSERT_EQ(7u, resultLines.size());
    EXPECT_EQ("Warning: no net figures for ABS: too short", resultLines[6]);
    EXPECT_EQ(std::vector<std::string>{resultLines[6]}, testWarningLines(results[0], {" ", 2, "."}));
    EXPECT_FALSE(testResultJson(results[0], {" ", 2, "."}).contains("net"));
}

}  // namespace
