#include "app/results/net_result.h"

#include "app/measuring/section_statistics.h"
#include "app/measuring/timed_draw.h"

NetFigures netFigures(const NetFit& fit, int testedFlops) {
    NetFigures figures;
    figures.nsPerPixelInstruction = fit.msPerTested * 1e6 / static_cast<double>(pixelsPerIteration);
    figures.instructionsPerSecond = 1e9 / figures.nsPerPixelInstruction;
    figures.flopsPerSecond = figures.instructionsPerSecond * testedFlops;
    return figures;
}

NetResult netResult(const NetVariantSet& set, const std::vector<TimedProgram>& timings) {
    NetResult net;
    net.unavailable = set.unavailable;
    net.lengths = set.lengths;
    std::vector<NetSample> samples;
    for (std::size_t v = 0; v < set.variants.size(); ++v) {
        const NetVariant& variant = set.variants[v];
        const ProgramWork& work = variant.program.work;
        const TimedProgram& timed = timings.at(v);
        const double medianMs = summarizeSections(timed.sectionsMs).medianMs;
        net.variants.push_back({variant.length, work.testedInstructions, work.helperInstructions,
                                variant.helpersOnly, timed, medianMs});
        samples.push_back({work.testedInstructions, work.helperInstructions, variant.helpersOnly,
                           medianMs / timed.iterations});
    }
    if (!set.variants.empty()) {
        net.fit = fitNetCost(samples);
        net.figures = netFigures(net.fit, set.testedFlops);
    }
    return net;
}
