// The statistics of a test's timed sections: the median is the test's time,
// the minimum and maximum show how far the sections spread.
#pragma once

#include <vector>

struct SectionSummary {
    double minMs;
    double medianMs;
    double maxMs;
};

// The minimum, median (the mean of the middle two for an even count) and
// maximum of one or more section times.
SectionSummary summarizeSections(const std::vector<double>& sectionsMs);
