#include "app/measuring/programs_to_time.h"

#include "app/programs/program_binding.h"
#include "bench/settings.h"

namespace {

std::string variantLabel(const std::string& test, const NetVariant& variant) {
    return test + " (net, length " + std::to_string(variant.length) +
           (variant.helpersOnly ? ", helpers only)" : ")");
}

}  // namespace

std::vector<ProgramToTime> programsOfTest(int test, const CompiledSet& programs) {
    const auto index = static_cast<std::size_t>(test);
    const std::string& label = programs.tests.at(index).figures.label;
    std::vector<ProgramToTime> list = {{programIds.at(index), test, label}};
    if (programs.net.empty()) return list;
    const NetTestPrograms& net = programs.net.at(index);
    for (std::size_t v = 0; v < net.set.variants.size(); ++v)
        if (static_cast<int>(v) != net.testVariant)
            list.push_back({net.ids.at(v), test, variantLabel(label, net.set.variants[v])});
    return list;
}

void bindToTime(const ProgramToTime& program, ProgressLine& progress) {
    const BenchSettings& settings = benchSettings;
    useTestProgram(settings.fragmentProgram, settings.localParameters, program.id);
    progress.startTest(program.test + 1, settings.programCount, program.label);
}
