#include "app/measuring/program_timing.h"

#include "app/measuring/progress_line.h"
#include "app/measuring/timed_draw.h"
#include "app/results/result_lines.h"

TimingPolicy timingPolicy(const BenchSettings& settings, int iterations) {
    return {iterations, settings.minTime * 1000.0, settings.repeat};
}

TimedProgram timeBoundProgram(const TimingPolicy& policy, const SectionTimer& timeSection,
                              const std::function<std::optional<std::uint64_t>()>& sectionFragments) {
    // The line is gone when the sections end, however they end.
    struct EraseProgress {
        ~EraseProgress() { eraseProgress(); }
    } erase;
    TimedProgram timed{policy.iterations, {}, std::nullopt};
    if (policy.minTimeMs > 0) {
        timed.iterations = calibrateIterations(policy.minTimeMs, [&](int iterations) {
            progressStartSection(0, policy.repeat, iterations);
            return timeSection(iterations);
        });
    }
    const auto expected =
        static_cast<std::uint64_t>(pixelsPerIteration) * static_cast<std::uint64_t>(timed.iterations);
    for (int run = 1; run <= policy.repeat; ++run) {
        progressStartSection(run, policy.repeat, timed.iterations);
        timed.sectionsMs.push_back(timeSection(timed.iterations));
        const std::optional<std::uint64_t> counted = sectionFragments();
        if (!timed.fragmentsCounted || *timed.fragmentsCounted == expected) timed.fragmentsCounted = counted;
    }
    return timed;
}

TimedProgram timeBoundProgram(const TimingPolicy& policy) {
    return timeBoundProgram(policy, timedDraw, lastFragmentCount);
}
