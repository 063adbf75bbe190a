#include "app/results/net_results_json.h"

#include <cmath>

using json = nlohmann::ordered_json;

namespace {

// JSON has no infinities: a fit through a time of zero has no residual to give.
json finiteOrNull(double value) { return std::isfinite(value) ? json(value) : json(nullptr); }

}  // namespace

json netResultJson(const NetResult& net) {
    json variants = json::array();
    for (const NetVariantResult& variant : net.variants) {
        variants.push_back({{"length", variant.length},
                            {"tested_instructions", variant.testedInstructions},
                            {"helper_instructions", variant.helperInstructions},
                            {"helper_only", variant.helpersOnly},
                            {"iterations", variant.timed.iterations},
                            {"sections_ms", variant.timed.sectionsMs},
                            {"median_ms", variant.medianMs}});
    }
    const bool trusted = net.trusted();
    return {{"variants", variants},
            {"fit",
             {{"ns_per_instruction_pixel", finiteOrNull(net.figures.nsPerPixelInstruction)},
              {"fixed_ms_per_quad", finiteOrNull(net.fit.fixedMsPerQuad)},
              {"r2", finiteOrNull(net.fit.r2)},
              {"max_relative_residual", finiteOrNull(net.fit.maxRelativeResidual)},
              {"trusted", trusted}}},
            {"instructions_per_s", trusted ? json(net.figures.instructionsPerSecond) : json(nullptr)},
            {"flops_per_s", trusted ? json(net.figures.flopsPerSecond) : json(nullptr)}};
}
