#include "app/measuring/net_measurement.h"

#include "app/measuring/progress_line.h"
#include "app/measuring/section_statistics.h"
#include "app/programs/program_binding.h"
#include "app/results/net_result_lines.h"
#include "app/results/net_results_json.h"
#include "bench/settings.h"

NetFit fitNetVariants(const NetVariantSet& set, const std::vector<TimedProgram>& timings) {
    std::vector<NetSample> samples;
    for (std::size_t v = 0; v < set.variants.size(); ++v) {
        const ProgramWork& work = set.variants[v].program.work;
        const TimedProgram& timed = timings[v];
        samples.push_back({work.testedInstructions, work.helperInstructions, set.variants[v].helpersOnly,
                           summarizeSections(timed.sectionsMs).medianMs / timed.iterations});
    }
    return fitNetCost(samples);
}

namespace {

std::string variantLabel(const std::string& test, const NetVariant& variant) {
    return test + " (net, length " + std::to_string(variant.length) +
           (variant.helpersOnly ? ", helpers only)" : ")");
}

}  // namespace

std::string measureNetFigures(int test, TestRecord& record, const TimingPolicy& policy,
                              const ResultStyle& style) {
    const BenchSettings& settings = benchSettings;
    const NetTestPrograms& programs = netPrograms.at(static_cast<std::size_t>(test));
    const NetVariantSet& set = programs.set;
    const std::string& label = record.figures.label;
    if (set.variants.empty()) {
        record.warnings.push_back(netUnavailableLine(label, set.unavailable));
        return record.warnings.back();
    }
    std::vector<TimedProgram> timings;
    for (std::size_t v = 0; v < set.variants.size(); ++v) {
        if (static_cast<int>(v) == programs.testVariant) {
            timings.push_back(record.timed);
            continue;
        }
        useTestProgram(settings.fragmentProgram, settings.localParameters, programs.ids[v]);
        progressStartTest(test + 1, settings.programCount, variantLabel(label, set.variants[v]));
        timings.push_back(timeBoundProgram(policy));
    }
    const NetFit fit = fitNetVariants(set, timings);
    record.net = netResultJson(set, timings, fit);
    const std::string line = netResultLine(label, fit, set.lengths, set.testedFlops, style);
    if (fit.verdict != NetVerdict::trusted) record.warnings.push_back(line);
    return line;
}
