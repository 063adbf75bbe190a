// The statistics of a test's timed sections: the median is the test's time,
// the minimum and maximum show how far the sections spread.
#pragma once

#include <string>
#include <vector>

struct SectionSummary {
    double minMs;
    double medianMs;
    double maxMs;
};

// The minimum, median (the mean of the middle two for an even count) and
// maximum of one or more section times.
SectionSummary summarizeSections(const std::vector<double>& sectionsMs);

// "Spread: min X ms, median Y ms, max Z ms over N runs", each time in the
// result line's "%4.4f" form with the locale's decimal separator.
std::string spreadLine(const SectionSummary& summary, std::size_t runs, const std::string& decimalSeparator);
