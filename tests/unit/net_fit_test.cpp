// The net-cost fit on timings whose line is known: it recovers the
// coefficients, separates helpers from the tested instruction, and refuses
// to vouch for a bent line, a free instruction or too few timings.
#include "bench/net_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// fixed + net x tested + helper x helpers at each length, times `bend` at
// the longest, for a shape with and without helpers-only forms (whose fixed
// part differs by `other`).
std::vector<NetSample> samples(double fixed, double net, double helper, bool helpersOnlyForms,
                               double bend = 1.0, double other = 0.0) {
    std::vector<NetSample> out;
    const int lengths[] = {32, 64, 128};
    for (int length : lengths) {
        const int helpers = helper != 0.0 ? length : 0;
        const double scale = length == 128 ? bend : 1.0;
        out.push_back({length, helpers, false, scale * (fixed + net * length + helper * helpers)});
        if (helpersOnlyForms) out.push_back({0, helpers, true, scale * (fixed + other + helper * helpers)});
    }
    return out;
}

TEST(NetFit, RecoversTheLineOfAShapeWithoutHelpers) {
    const NetFit fit = fitNetCost(samples(0.3, 0.025, 0.0, false));
    EXPECT_EQ(NetVerdict::trusted, fit.verdict);
    EXPECT_NEAR(0.025, fit.msPerTested, 1e-12);
    EXPECT_NEAR(0.3, fit.fixedMsPerQuad, 1e-12);
    EXPECT_EQ(0.0, fit.msPerHelper);
    EXPECT_NEAR(1.0, fit.r2, 1e-12);
    EXPECT_NEAR(0.0, fit.maxRelativeResidual, 1e-12);
}

// The helpers cost more than the instruction: a fit of the full forms alone
// would give their sum as the instruction's cost.
TEST(NetFit, TakesTheHelpersOutWithTheHelpersOnlyForms) {
    const NetFit fit = fitNetCost(samples(0.3, 0.01, 0.04, true, 1.0, -0.02));
    EXPECT_EQ(NetVerdict::trusted, fit.verdict);
    EXPECT_NEAR(0.01, fit.msPerTested, 1e-12);
    EXPECT_NEAR(0.04, fit.msPerHelper, 1e-12);
    EXPECT_NEAR(0.3, fit.fixedMsPerQuad, 1e-12);
}

TEST(NetFit, NoiseWithinTheBoundKeepsTheFitTrustedAndShowsInItsFigures) {
    std::vector<NetSample> noisy = samples(0.3, 0.025, 0.0, false);
    noisy[1].msPerQuad *= 1.01;
    const NetFit fit = fitNetCost(noisy);
    EXPECT_EQ(NetVerdict::trusted, fit.verdict);
    EXPECT_NEAR(0.025, fit.msPerTested, 0.001);
    EXPECT_GT(fit.maxRelativeResidual, 0.001);
    EXPECT_LT(fit.maxRelativeResidual, maxTrustedResidual);
    EXPECT_LT(fit.r2, 1.0);
}

TEST(NetFit, FlagsABentLine) {
    // Time growing faster than the length: a cache or register limit reached
    // at the longest program.
    EXPECT_EQ(NetVerdict::bent, fitNetCost(samples(0.3, 0.025, 0.0, false, 1.25)).verdict);
    EXPECT_EQ(NetVerdict::bent, fitNetCost(samples(0.3, 0.01, 0.04, true, 1.25)).verdict);
    // The middle length 5 % off the line through the other two.
    std::vector<NetSample> kinked = samples(0.3, 0.025, 0.0, false);
    kinked[1].msPerQuad *= 1.05;
    EXPECT_EQ(NetVerdict::bent, fitNetCost(kinked).verdict);
    // A quadratic through four lengths, however high its r2.
    std::vector<NetSample> curve;
    for (int length : {16, 32, 64, 128}) curve.push_back({length, 0, false, 0.3 + 0.0005 * length * length});
    const NetFit fit = fitNetCost(curve);
    EXPECT_EQ(NetVerdict::bent, fit.verdict);
    EXPECT_GT(fit.r2, 0.95);
}

TEST(NetFit, AnInstructionThatAddsNoTimeIsNotGivenACost) {
    EXPECT_EQ(NetVerdict::notPositive, fitNetCost(samples(0.3, 0.0, 0.04, true)).verdict);
    EXPECT_EQ(NetVerdict::notPositive, fitNetCost(samples(0.3, -0.001, 0.04, true)).verdict);
}

TEST(NetFit, TooFewOrTooAlikeTimingsDetermineNoLine) {
    EXPECT_EQ(NetVerdict::underdetermined, fitNetCost({}).verdict);
    EXPECT_EQ(NetVerdict::underdetermined, fitNetCost({{32, 0, false, 1.1}, {64, 0, false, 1.9}}).verdict);
    EXPECT_EQ(NetVerdict::underdetermined,
              fitNetCost({{64, 0, false, 1.1}, {64, 0, false, 1.2}, {64, 0, false, 1.0}}).verdict);
    // Full forms alone cannot tell helpers from the instruction.
    EXPECT_EQ(NetVerdict::underdetermined, fitNetCost(samples(0.3, 0.01, 0.04, false)).verdict);
}

TEST(NetFit, ATimeThatIsNoMeasurementIsNeverTrusted) {
    for (double bad : {0.0, -1.0, std::nan("")}) {
        std::vector<NetSample> timings = samples(0.3, 0.025, 0.0, false);
        timings[0].msPerQuad = bad;
        EXPECT_EQ(NetVerdict::bent, fitNetCost(timings).verdict) << bad;
    }
}

}  // namespace
