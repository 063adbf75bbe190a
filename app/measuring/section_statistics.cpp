#include "app/measuring/section_statistics.h"

#include <algorithm>

SectionSummary summarizeSections(const std::vector<double>& sectionsMs) {
    std::vector<double> sorted = sectionsMs;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    const double median =
        sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
    return {sorted.front(), median, sorted.back()};
}
