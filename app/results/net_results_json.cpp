#include "app/results/net_results_json.h"

#include <cmath>

#include "app/measuring/section_statistics.h"
#include "app/results/net_result_lines.h"

using json = nlohmann::ordered_json;

namespace {

// JSON has no infinities: a fit through a time of zero has no residual to give.
json finiteOrNull(double value) { return std::isfinite(value) ? json(value) : json(nullptr); }

}  // namespace

json netResultJson(const NetVariantSet& set, const std::vector<TimedProgram>& timings, const NetFit& fit) {
    json variants = json::array();
    for (std::size_t v = 0; v < set.variants.size(); ++v) {
        const NetVariant& variant = set.variants[v];
        const TimedProgram& timed = timings[v];
        variants.push_back({{"length", variant.length},
                            {"tested_instructions", variant.program.work.testedInstructions},
                            {"helper_instructions", variant.program.work.helperInstructions},
                            {"helper_only", variant.helpersOnly},
                            {"iterations", timed.iterations},
                            {"sections_ms", timed.sectionsMs},
                            {"median_ms", summarizeSections(timed.sectionsMs).medianMs}});
    }
    const NetFigures figures = netFigures(fit, set.testedFlops);
    const bool trusted = fit.verdict == NetVerdict::trusted;
    return {{"variants", variants},
            {"fit",
             {{"ns_per_instruction_pixel", finiteOrNull(figures.nsPerPixelInstruction)},
              {"fixed_ms_per_quad", finiteOrNull(fit.fixedMsPerQuad)},
              {"r2", finiteOrNull(fit.r2)},
              {"max_relative_residual", finiteOrNull(fit.maxRelativeResidual)},
              {"trusted", trusted}}},
            {"instructions_per_s", trusted ? json(figures.instructionsPerSecond) : json(nullptr)},
            {"flops_per_s", trusted ? json(figures.flopsPerSecond) : json(nullptr)}};
}
