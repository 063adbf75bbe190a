#include "app/measuring/program_timing.h"

#include "app/measuring/iteration_calibration.h"

TimingPolicy timingPolicy(const RunOptions& options, int iterations) {
    return {iterations, options.minTimeS * 1000.0, options.repeat};
}

SectionDraw sectionDraw(const FragmentCounting& counting, ProgressLine& progress) {
    return [counting, observer = progress.observer()](int iterations) {
        return timedDraw(iterations, counting, observer);
    };
}

TimedProgram timeBoundProgram(const ProgramTimer& timer) {
    const TimingPolicy& policy = timer.policy;
    // The line is gone when the sections end, however they end.
    struct EraseProgress {
        ProgressLine& line;
        ~EraseProgress() { line.erase(); }
    } erase{timer.progress};
    TimedProgram timed{policy.iterations, {}, std::nullopt};
    if (policy.minTimeMs > 0) {
        timed.iterations = calibrateIterations(policy.minTimeMs, [&](int iterations) {
            timer.progress.startSection(0, policy.repeat, iterations);
            return timer.draw(iterations).elapsedMs;
        });
    }
    const auto expected =
        static_cast<std::uint64_t>(pixelsPerIteration) * static_cast<std::uint64_t>(timed.iterations);
    for (int run = 1; run <= policy.repeat; ++run) {
        timer.progress.startSection(run, policy.repeat, timed.iterations);
        const DrawnSection section = timer.draw(timed.iterations);
        timed.sectionsMs.push_back(section.elapsedMs);
        if (!timed.fragmentsCounted || *timed.fragmentsCounted == expected)
            timed.fragmentsCounted = section.fragments;
    }
    return timed;
}
