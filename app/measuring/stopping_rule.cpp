#include "app/measuring/stopping_rule.h"

#include <limits>

#include "app/measuring/section_statistics.h"

std::optional<PrecisionOutcome> precisionOutcome(const PrecisionGoal& goal,
                                                 const std::vector<double>& sectionsMs, double spentMs,
                                                 double lastCostMs) {
    const auto count = static_cast<int>(sectionsMs.size());
    if (count < goal.fewest) return std::nullopt;
    PrecisionOutcome outcome{goal.targetPct, PrecisionStop::converged, medianInterval(sectionsMs),
                             std::numeric_limits<double>::infinity()};
    if (outcome.interval)
        outcome.reachPct = intervalReachPercent(*outcome.interval, summarizeSections(sectionsMs).medianMs);
    if (outcome.reachPct <= goal.targetPct) return outcome;
    if (goal.maxTimeMs > 0 && spentMs + lastCostMs > goal.maxTimeMs) {
        outcome.stop = PrecisionStop::timeLimit;
        return outcome;
    }
    if (count >= goal.most) {
        outcome.stop = PrecisionStop::sectionLimit;
        return outcome;
    }
    return std::nullopt;
}
