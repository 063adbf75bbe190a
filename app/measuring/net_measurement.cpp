#include "app/measuring/net_measurement.h"

#include "app/programs/program_binding.h"
#include "bench/settings.h"

namespace {

std::string variantLabel(const std::string& test, const NetVariant& variant) {
    return test + " (net, length " + std::to_string(variant.length) +
           (variant.helpersOnly ? ", helpers only)" : ")");
}

}  // namespace

NetResult measureNet(int test, const NetTestPrograms& programs, const TestResult& result,
                     const ProgramTimer& timer) {
    const BenchSettings& settings = benchSettings;
    const NetVariantSet& set = programs.set;
    std::vector<TimedProgram> timings;
    for (std::size_t v = 0; v < set.variants.size(); ++v) {
        if (static_cast<int>(v) == programs.testVariant) {
            timings.push_back(result.timed);
            continue;
        }
        useTestProgram(settings.fragmentProgram, settings.localParameters, programs.ids.at(v));
        timer.progress.startTest(test + 1, settings.programCount,
                                 variantLabel(result.test.figures.label, set.variants[v]));
        timings.push_back(timeBoundProgram(timer));
    }
    return netResult(set, timings);
}
