#include "app/measuring/section_statistics.h"

#include <algorithm>

#include "base/number_format.h"

SectionSummary summarizeSections(const std::vector<double>& sectionsMs) {
    std::vector<double> sorted = sectionsMs;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    const double median =
        sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
    return {sorted.front(), median, sorted.back()};
}

std::string spreadLine(const SectionSummary& summary, std::size_t runs, const std::string& decimalSeparator) {
    const auto ms = [&](double value) { return formatFixed4(value, decimalSeparator) + " ms"; };
    return "Spread: min " + ms(summary.minMs) + ", median " + ms(summary.medianMs) + ", max " +
           ms(summary.maxMs) + " over " + std::to_string(runs) + " runs";
}
