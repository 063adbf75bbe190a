#include "app/results/result_lines.h"

#include "app/results/interval_lines.h"
#include "app/results/net_result_lines.h"
#include "base/number_format.h"
#include "bench/marlune_glwindow.h"
#include "bench/tables.h"

std::string resultSeparator(int vectorAndScalar, int textureFetches) {
    return vectorAndScalar != 0 && textureFetches != 0 ? "" : " ";
}

std::string resultLine(const TestFigures& figures, const ResultStyle& style, int iterations,
                       double elapsedMs) {
    const std::string& sep = style.separator;
    return figures.label + "  " + "  " + std::to_string(figures.instructions) + "  " +
           std::to_string(figures.flops) + " " + sep + std::to_string(figures.texels) + " " + sep + " " +
           sep + std::to_string(frameWidth) + "  " + std::to_string(frameHeight) + "   " + sep +
           std::to_string(iterations) + "   " + sep + formatFixed4(elapsedMs, style.decimalSeparator) + " ms";
}

std::vector<std::string> resultBlock(const TestResult& result, const ResultStyle& style) {
    const std::string letter = resultPrefixTable[style.prefix].letter;
    const auto rateLine = [&](double rate, const std::string& unit) {
        return formatFixed4(rate, style.decimalSeparator) + " " + unit;
    };
    const BlockRates& rates = result.block;
    const std::string first =
        resultLine(result.test.figures, style, result.timed.iterations, result.sections.medianMs);
    if (!result.test.workKnown())
        return {first, rateLine(rates.pixels, letter + "Pixel/sec"), rateLine(rates.gigabytes, "GB/sec")};
    return {
        first,
        rateLine(rates.instructions, letter + "Instr/sec"),
        rateLine(rates.pixels, letter + "Pixel/sec"),
        rateLine(rates.flops, letter + "Flops/sec"),
        rateLine(rates.texels, letter + "Texel/sec"),
        rateLine(rates.gigabytes, "GB/sec"),
    };
}

std::string spreadLine(const SectionSummary& summary, std::size_t runs, const std::string& decimalSeparator) {
    const auto ms = [&](double value) { return formatFixed4(value, decimalSeparator) + " ms"; };
    return "Spread: min " + ms(summary.minMs) + ", median " + ms(summary.medianMs) + ", max " +
           ms(summary.maxMs) + " over " + std::to_string(runs) + " runs";
}

std::optional<std::string> shadingWarning(std::optional<std::uint64_t> counted, std::uint64_t expected) {
    if (!counted || *counted == expected) return std::nullopt;
    return "Warning: " + std::to_string(*counted) + " of " + std::to_string(expected) +
           " fragments passed; the rates assume all " + std::to_string(expected) + " were shaded";
}

std::vector<std::string> latencyLines(const LatencyResult& result, const std::string& decimalSeparator) {
    std::vector<std::string> lines = {
        formatFixed4(result.sections.medianMs, decimalSeparator) + " ms latency",
        formatFixed4(result.gigabytesPerSecond, decimalSeparator) + " GB/sec"};
    const std::size_t runs = result.timed.sectionsMs.size();
    if (runs > 1) lines.push_back(spreadLine(result.sections, runs, decimalSeparator));
    if (const auto interval = intervalLine(result.timed, decimalSeparator)) lines.push_back(*interval);
    return lines;
}

namespace {

const std::string flowControlLine =
    "Flow control: the figures count the text, not the work run; --work INSTRUCTIONS,FLOPS,TEXELS,BYTES "
    "gives the instruction, flop and texel rates";

struct LineAfterBlock {
    std::string text;
    bool warning;
};

std::vector<LineAfterBlock> linesAfterBlock(const TestResult& result, const ResultStyle& style) {
    std::vector<LineAfterBlock> lines;
    if (!result.test.workKnown()) lines.push_back({flowControlLine, false});
    const std::size_t runs = result.timed.sectionsMs.size();
    if (runs > 1) lines.push_back({spreadLine(result.sections, runs, style.decimalSeparator), false});
    if (const auto interval = intervalLine(result.timed, style.decimalSeparator))
        lines.push_back({*interval, false});
    if (const auto warning = precisionWarning(result.timed, style.decimalSeparator))
        lines.push_back({*warning, true});
    if (const auto warning = shadingWarning(result.timed.fragmentsCounted, result.fragmentsPerSection))
        lines.push_back({*warning, true});
    if (result.net)
        lines.push_back(
            {netResultLine(result.test.figures.label, *result.net, style), !result.net->trusted()});
    return lines;
}

}  // namespace

std::vector<std::string> testResultLines(const TestResult& result, const ResultStyle& style) {
    std::vector<std::string> lines = resultBlock(result, style);
    for (const LineAfterBlock& line : linesAfterBlock(result, style)) lines.push_back(line.text);
    return lines;
}

std::vector<std::string> testWarningLines(const TestResult& result, const ResultStyle& style) {
    std::vector<std::string> warnings;
    for (const LineAfterBlock& line : linesAfterBlock(result, style))
        if (line.warning) warnings.push_back(line.text);
    return warnings;
}
