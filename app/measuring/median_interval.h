// A confidence interval for the median that assumes nothing about how the
// times are distributed: two order statistics of the sample, chosen by the
// binomial distribution with p = 1/2 (a sample value lies below the median
// with probability 1/2, whatever the distribution).
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// The confidence the precision rule asks of its interval.
constexpr double medianConfidence = 0.95;

struct MedianInterval {
    std::size_t lowRank;   // of the sorted sample, from 1
    std::size_t highRank;  // n + 1 - lowRank
    double low;            // the sample value at lowRank
    double high;           // and at highRank
    double coverage;       // exactly 1 - 2 P(B <= lowRank - 1), B ~ Binomial(n, 1/2)
};

// The lowRank of the narrowest such interval of n values whose coverage is
// at least medianConfidence; 0 when not even the whole sample reaches it
// (fewer than 6 values).
std::size_t medianIntervalRank(std::size_t n);

// The interval [x(k), x(n + 1 - k)] of `sample` for that k; none where k is 0.
std::optional<MedianInterval> medianInterval(const std::vector<double>& sample);

// How far the interval reaches from `median`, on its longer side, in percent
// of the median; 0 for an interval of one value, infinity where the median
// is 0 and the interval is not.
double intervalReachPercent(const MedianInterval& interval, double median);
