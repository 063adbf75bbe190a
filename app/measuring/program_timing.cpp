#include "app/measuring/program_timing.h"

#include <algorithm>
#include <chrono>

#include "app/measuring/iteration_calibration.h"

TimingPolicy timingPolicy(const RunOptions& options, int iterations) {
    TimingPolicy policy{iterations, options.minTimeS * 1000.0, options.repeat};
    if (options.precisionPct > 0)
        policy.precision =
            PrecisionGoal{options.precisionPct, std::max(fewestPrecisionSections, options.repeat),
                          mostRepeats, options.maxTimeS * 1000.0};
    policy.interleave = options.interleave;
    return policy;
}

SectionDraw sectionDraw(const FragmentCounting& counting, ProgressLine& progress) {
    return [counting, observer = progress.observer()](int iterations) {
        const auto start = std::chrono::steady_clock::now();
        DrawnSection section = timedDraw(iterations, counting, observer);
        section.costMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        return section;
    };
}

double sectionCost(const DrawnSection& section) { return std::max(section.costMs, section.elapsedMs); }

int runsShown(const TimingPolicy& policy) { return policy.precision ? 0 : policy.repeat; }

SectionSeries::SectionSeries(const TimingPolicy& policy, int iterations, double spentMs)
    : policy_(policy), timed_{iterations, {}, std::nullopt}, spentMs_(spentMs) {}

void SectionSeries::add(const DrawnSection& section) {
    const auto expected =
        static_cast<std::uint64_t>(pixelsPerIteration) * static_cast<std::uint64_t>(timed_.iterations);
    timed_.sectionsMs.push_back(section.elapsedMs);
    if (!timed_.fragmentsCounted || *timed_.fragmentsCounted == expected)
        timed_.fragmentsCounted = section.fragments;
    spentMs_ += sectionCost(section);
    if (!policy_.precision) {
        wantsMore_ = static_cast<int>(timed_.sectionsMs.size()) < policy_.repeat;
        return;
    }
    timed_.precision =
        precisionOutcome(*policy_.precision, timed_.sectionsMs, spentMs_, sectionCost(section));
    wantsMore_ = !timed_.precision;
}

SectionSeries startSections(const ProgramTimer& timer, bool warmUp) {
    const TimingPolicy& policy = timer.policy;
    double spentMs = 0.0;
    const auto untimed = [&](int iterations) {
        timer.progress.startSection(0, runsShown(policy), iterations);
        const DrawnSection section = timer.draw(iterations);
        spentMs += sectionCost(section);
        return section.elapsedMs;
    };
    int iterations = policy.iterations;
    if (policy.minTimeMs > 0)
        iterations = calibrateIterations(policy.minTimeMs, untimed);
    else if (warmUp)
        untimed(1);
    return SectionSeries(policy, iterations, spentMs);
}

TimedProgram timeBoundProgram(const ProgramTimer& timer) {
    const ErasedAtEnd erase{timer.progress};
    SectionSeries series = startSections(timer, false);
    for (int run = 1; series.wantsMore(); ++run) {
        timer.progress.startSection(run, runsShown(timer.policy), series.iterations());
        series.add(timer.draw(series.iterations()));
    }
    return series.timed();
}
