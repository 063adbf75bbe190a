#include "app/results/interval_lines.h"

#include <cmath>

#include "base/number_format.h"

namespace {

std::string percent(double value, const std::string& point) { return formatTrimmed(value, point) + "%"; }

std::string confidence() { return std::to_string(std::lround(100.0 * medianConfidence)) + "%"; }

}  // namespace

std::optional<std::string> intervalLine(const TimedProgram& timed, const std::string& point) {
    if (!timed.precision) return std::nullopt;
    const PrecisionOutcome& outcome = *timed.precision;
    const std::string target = " (target " + percent(outcome.targetPct, point) + ")";
    if (!outcome.interval)
        return "Interval: none at " + confidence() + " confidence from " +
               std::to_string(timed.sectionsMs.size()) + " runs" + target;
    const auto ms = [&](double value) { return formatFixed4(value, point) + " ms"; };
    return "Interval: " + confidence() + " confidence, " + ms(outcome.interval->low) + " to " +
           ms(outcome.interval->high) + ", within " + formatSignificant(outcome.reachPct, 2, point) +
           "% of the median" + target;
}

std::optional<std::string> precisionWarning(const TimedProgram& timed, const std::string& point) {
    if (!timed.precision || timed.precision->stop == PrecisionStop::converged) return std::nullopt;
    const PrecisionOutcome& outcome = *timed.precision;
    const std::string runs = std::to_string(timed.sectionsMs.size());
    const std::string where = outcome.stop == PrecisionStop::timeLimit
                                  ? "at --max-time after " + runs
                                  : "at " + runs + ", the most a test takes";
    const std::string reached =
        outcome.interval ? "with the interval within " + formatSignificant(outcome.reachPct, 2, point) +
                               "% of the median, not " + percent(outcome.targetPct, point)
                         : "too few for a " + confidence() + " interval";
    return "Warning: the runs stopped " + where + ", " + reached;
}
