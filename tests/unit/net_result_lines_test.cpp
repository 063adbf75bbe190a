// The Net line: rates in the -r prefix's units from the fit's slope, the
// locale's decimal separator, and a warning with no net cost in it wherever
// the fit is not trusted.
#include "app/results/net_result_lines.h"

#include <gtest/gtest.h>

namespace {

ResultStyle style(std::uint8_t prefix = 2, const std::string& decimal = ".") {
    return {" ", prefix, decimal};
}

// 0.238 ns per pixel-instruction is 0.238e-6 ms x 393216 pixels per quad;
// MAD has 8 flops.
NetResult madFit(NetVerdict verdict = NetVerdict::trusted) {
    NetResult net;
    net.lengths = {32, 64, 128};
    net.fit.msPerTested = 0.238e-6 * 512 * 768;
    net.fit.fixedMsPerQuad = 0.31;
    net.fit.r2 = 0.99981;
    net.fit.maxRelativeResidual = 0.072;
    net.fit.verdict = verdict;
    net.figures = netFigures(net.fit, 8);
    return net;
}

TEST(NetResultLine, GivesTheNetRatesCostAndFitOfATrustedFit) {
    EXPECT_EQ(
        "Net MAD: 4.20 GInstr/sec, 33.6 GFlops/sec (0.238 ns per pixel-instruction; fixed 0.310 ms per "
        "quad; lengths 32, 64, 128; r2 0.9998)",
        netResultLine("MAD", madFit(), style()));
    EXPECT_EQ(
        "Net MAD: 4202 MInstr/sec, 33613 MFlops/sec (0,238 ns per pixel-instruction; fixed 0,310 ms per "
        "quad; lengths 32, 64, 128; r2 0,9998)",
        netResultLine("MAD", madFit(), style(1, ",")));
}

TEST(NetResultLine, AnUntrustedFitGivesAWarningWithNoNetCost) {
    const std::string bent = netResultLine("MAD", madFit(NetVerdict::bent), style());
    EXPECT_EQ(
        "Warning: no net figures for MAD: the times at lengths 32, 64, 128 are not on a straight line "
        "(largest residual 7.2 %, trusted up to 3 %; r2 0.9998)",
        bent);
    for (NetVerdict verdict : {NetVerdict::bent, NetVerdict::notPositive, NetVerdict::underdetermined}) {
        const std::string line = netResultLine("MAD", madFit(verdict), style());
        EXPECT_EQ(0u, line.rfind("Warning: no net figures for MAD: ", 0)) << line;
        for (const char* figure : {"Instr/sec", "Flops/sec", "0.238", " ns per"})
            EXPECT_EQ(std::string::npos, line.find(figure)) << line;
    }
}

}  // namespace
