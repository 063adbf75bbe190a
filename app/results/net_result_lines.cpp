#include "app/results/net_result_lines.h"

#include "base/number_format.h"
#include "bench/tables.h"

namespace {

std::string lengthList(const std::vector<int>& lengths) {
    std::string text;
    for (int length : lengths) text += (text.empty() ? "" : ", ") + std::to_string(length);
    return text;
}

std::string unavailableLine(const std::string& label, const std::string& reason) {
    return "Warning: no net figures for " + label + ": " + reason;
}

}  // namespace

std::string netResultLine(const std::string& label, const NetResult& net, const ResultStyle& style) {
    if (!net.unavailable.empty()) return unavailableLine(label, net.unavailable);
    const NetFit& fit = net.fit;
    const std::string& point = style.decimalSeparator;
    const std::string r2 = "r2 " + formatFixed4(fit.r2, point);
    const std::string at = "lengths " + lengthList(net.lengths);
    switch (fit.verdict) {
        case NetVerdict::trusted:
            break;
        case NetVerdict::bent:
            return unavailableLine(
                label, "the times at " + at + " are not on a straight line (largest residual " +
                           formatSignificant(100.0 * fit.maxRelativeResidual, 2, point) +
                           " %, trusted up to " + formatSignificant(100.0 * maxTrustedResidual, 1, point) +
                           " %; " + r2 + ")");
        case NetVerdict::notPositive:
            return unavailableLine(
                label, "at " + at + " the instruction adds no time that can be measured (" + r2 + ")");
        case NetVerdict::underdetermined:
            return unavailableLine(label, "the timings at " + at + " do not determine a line");
    }
    const NetFigures& figures = net.figures;
    const ResultPrefixRow& prefix = resultPrefixTable[style.prefix];
    const auto rate = [&](double perSecond, const std::string& unit) {
        return formatSignificant(perSecond / prefix.divisor, 3, point) + " " + prefix.letter + unit;
    };
    return "Net " + label + ": " + rate(figures.instructionsPerSecond, "Instr/sec") + ", " +
           rate(figures.flopsPerSecond, "Flops/sec") + " (" +
           formatSignificant(figures.nsPerPixelInstruction, 3, point) + " ns per pixel-instruction; fixed " +
           formatSignificant(fit.fixedMsPerQuad, 3, point) + " ms per quad; " + at + "; " + r2 + ")";
}
