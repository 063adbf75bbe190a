#include "app/measuring/median_interval.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// P(B = i) for B ~ Binomial(n, 1/2), through logarithms: 2^-n underflows
// from about 1075 values on.
double halfBinomial(std::size_t n, std::size_t i) {
    const double dn = static_cast<double>(n), di = static_cast<double>(i);
    return std::exp(std::lgamma(dn + 1.0) - std::lgamma(di + 1.0) - std::lgamma(dn - di + 1.0) -
                    dn * std::log(2.0));
}

// P(B <= rank - 1): the chance that the median lies below x(rank).
double belowRank(std::size_t n, std::size_t rank) {
    double sum = 0.0;
    for (std::size_t i = 0; i < rank; ++i) sum += halfBinomial(n, i);
    return sum;
}

}  // namespace

std::size_t medianIntervalRank(std::size_t n) {
    const double allowed = 1.0 - medianConfidence;
    // Each tail may miss the median with half the allowed chance.
    double tail = 0.0;
    std::size_t rank = 0;
    for (std::size_t i = 0; i < (n + 1) / 2; ++i) {
        tail += halfBinomial(n, i);
        if (2.0 * tail > allowed) break;
        rank = i + 1;
    }
    return rank;
}

std::optional<MedianInterval> medianInterval(const std::vector<double>& sample) {
    const std::size_t n = sample.size();
    const std::size_t rank = medianIntervalRank(n);
    if (rank == 0) return std::nullopt;
    std::vector<double> sorted = sample;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t highRank = n + 1 - rank;
    return MedianInterval{rank, highRank, sorted[rank - 1], sorted[highRank - 1],
                          1.0 - 2.0 * belowRank(n, rank)};
}

double intervalReachPercent(const MedianInterval& interval, double median) {
    const double reach = std::max(median - interval.low, interval.high - median);
    if (reach <= 0.0) return 0.0;
    if (median <= 0.0) return std::numeric_limits<double>::infinity();
    return 100.0 * reach / median;
}
