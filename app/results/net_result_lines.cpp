#include "app/results/net_result_lines.h"

#include "base/number_format.h"
#include "bench/tables.h"

namespace {

std::string lengthList(const std::vector<int>& lengths) {
    std::string text;
    for (int length : lengths) text += (text.empty() ? "" : ", ") + std::to_string(length);
    return text;
}

}  // namespace

NetFigures netFigures(const NetFit& fit, int testedFlops) {
    NetFigures figures;
    figures.nsPerPixelInstruction = fit.msPerTested * 1e6 / static_cast<double>(pixelsPerIteration);
    figures.instructionsPerSecond = 1e9 / figures.nsPerPixelInstruction;
    figures.flopsPerSecond = figures.instructionsPerSecond * testedFlops;
    return figures;
}

std::string netResultLine(const std::string& label, const NetFit& fit, const std::vector<int>& lengths,
                          int testedFlops, const ResultStyle& style) {
    const std::string& point = style.decimalSeparator;
    const std::string r2 = "r2 " + formatFixed4(fit.r2, point);
    const std::string at = "lengths " + lengthList(lengths);
    switch (fit.verdict) {
        case NetVerdict::trusted:
            break;
        case NetVerdict::bent:
            return netUnavailableLine(
                label, "the times at " + at + " are not on a straight line (largest residual " +
                           formatSignificant(100.0 * fit.maxRelativeResidual, 2, point) +
                           " %, trusted up to " + formatSignificant(100.0 * maxTrustedResidual, 1, point) +
                           " %; " + r2 + ")");
        case NetVerdict::notPositive:
            return netUnavailableLine(
                label, "at " + at + " the instruction adds no time that can be measured (" + r2 + ")");
        case NetVerdict::underdetermined:
            return netUnavailableLine(label, "the timings at " + at + " do not determine a line");
    }
    const NetFigures figures = netFigures(fit, testedFlops);
    const ResultPrefixRow& prefix = resultPrefixTable[style.prefix];
    const auto rate = [&](double perSecond, const std::string& unit) {
        return formatSignificant(perSecond / prefix.divisor, 3, point) + " " + prefix.letter + unit;
    };
    return "Net " + label + ": " + rate(figures.instructionsPerSecond, "Instr/sec") + ", " +
           rate(figures.flopsPerSecond, "Flops/sec") + " (" +
           formatSignificant(figures.nsPerPixelInstruction, 3, point) + " ns per pixel-instruction; fixed " +
           formatSignificant(fit.fixedMsPerQuad, 3, point) + " ms per quad; " + at + "; " + r2 + ")";
}

std::string netUnavailableLine(const std::string& label, const std::string& reason) {
    return "Warning: no net figures for " + label + ": " + reason;
}
