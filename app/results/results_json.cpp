#include "app/results/results_json.h"

#include <cmath>

#include "app/programs/test_list.h"
#include "app/results/net_results_json.h"
#include "app/results/result_lines.h"
#include "app/texts.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "bench/tables.h"

using json = nlohmann::ordered_json;

namespace {

// The word for a setting's code; the codes are those the options store.
template <std::size_t N>
const char* named(int code, const char* const (&words)[N]) {
    return code >= 0 && static_cast<std::size_t>(code) < N ? words[code] : "unknown";
}

const char* runMode(const BenchSettings& settings, const RunOptions& options) {
    if (settings.multipleOutputs != 0) return "latency";
    if (!options.programs.empty()) return "programs";
    return allInstructionsMode(settings) ? "all_instructions" : "single";
}

json iterationPolicy(const BenchSettings& settings, const RunOptions& options) {
    if (options.minTimeS > 0) return {{"kind", "min_time"}, {"min_time_s", options.minTimeS}};
    return {{"kind", "fixed"}, {"iterations", settings.iterations}};
}

// What the sections of a precision goal reached; the ranks and times are
// null with too few sections for an interval, the reach where it is no
// finite number.
json intervalJson(const PrecisionOutcome& outcome) {
    const std::optional<MedianInterval>& interval = outcome.interval;
    const char* const stops[] = {"converged", "max_time", "most_sections"};
    return {{"confidence", medianConfidence},
            {"low_rank", interval ? json(interval->lowRank) : json(nullptr)},
            {"high_rank", interval ? json(interval->highRank) : json(nullptr)},
            {"low_ms", interval ? json(interval->low) : json(nullptr)},
            {"high_ms", interval ? json(interval->high) : json(nullptr)},
            {"coverage", interval ? json(interval->coverage) : json(nullptr)},
            {"reach_pct", std::isfinite(outcome.reachPct) ? json(outcome.reachPct) : json(nullptr)},
            {"target_pct", outcome.targetPct},
            {"stopped", stops[static_cast<int>(outcome.stop)]}};
}

json latencyJson(const LatencyResult& result) {
    json latency = {{"outputs", result.outputs},
                    {"components", result.components},
                    {"ms", result.sections.medianMs},
                    {"bytes_per_s", result.bytesPerSecond},
                    {"iterations", result.timed.iterations},
                    {"sections_ms", result.timed.sectionsMs}};
    if (result.timed.precision) latency["interval"] = intervalJson(*result.timed.precision);
    return latency;
}

// Added only where the options were given, so that a run without them
// writes the same document as before.
void addPrecisionSettings(json& settings, const RunOptions& options) {
    if (options.precisionPct > 0)
        settings["precision"] = {
            {"target_pct", options.precisionPct},
            {"confidence", medianConfidence},
            {"max_time_s", options.maxTimeS > 0 ? json(options.maxTimeS) : json(nullptr)}};
    if (options.interleave) settings["interleave"] = true;
}

json countOrNull(const std::optional<int>& count) { return count ? json(*count) : json(nullptr); }

json compileJson(const ProgramBuild& build) {
    const NativeCounts& native = build.native;
    return {{"load_ms", build.loadMs},
            {"native",
             {{"instructions", countOrNull(native.instructions)},
              {"alu_instructions", countOrNull(native.aluInstructions)},
              {"tex_instructions", countOrNull(native.texInstructions)},
              {"tex_indirections", countOrNull(native.texIndirections)}}}};
}

json workJson(const FileWork& work) {
    const CountedWork& counted = work.counted;
    return {{"source", work.given ? "given" : "counted"},
            {"flow_control", counted.flowControl},
            {"counted",
             {{"instructions", counted.instructions},
              {"flops", counted.flops},
              {"texels", counted.texels},
              {"bytes_written", counted.bytesWritten},
              {"alu_by_opcode", counted.aluByOpcode}}}};
}

}  // namespace

json programJson(const ProgramShape& shape) {
    const char* const singleOrMulti[] = {"single", "multi"};
    return {
        {"language", profileTable[shape.profile].name},
        {"nv_option", named(shape.nvOption, {"none", "FP1", "FP2"})},
        {"instruction", shape.instruction ? json(instructionName(*shape.instruction)) : json(nullptr)},
        {"length", shape.length},
        {"components", shape.components},
        {"clamp", shape.clamp},
        {"precisions",
         {{"hint", named(shape.precisionHint, {"none", "nicest", "fastest"})},
          {"instructions", shape.instructionPrecision.empty() ? "none" : shape.instructionPrecision}}},
        {"temporaries", named(shape.temporaries, {"default", "long", "short"})},
        {"branching", named(shape.branching, {"none", "loop", "repeat"})},
        {"fetches",
         {{"count", shape.textureFetches},
          {"textures", named(shape.fetchTexture, singleOrMulti)},
          {"coordinates", named(shape.multiTexCoords ? 1 : 0, singleOrMulti)}}},
        {"parameters", named(shape.localParameters, {"local", "env", "named"})},
        {"outputs", shape.outputs},
        {"vector_and_scalar", shape.vectorAndScalar},
    };
}

json testResultJson(const TestResult& result, const ResultStyle& style) {
    const TestFigures& figures = result.test.figures;
    const ProgramShape& program = result.test.program;
    const TimedProgram& timed = result.timed;
    const RatesPerSecond& rates = result.perSecond;
    const auto workRate = [&](double rate) { return result.test.workKnown() ? json(rate) : json(nullptr); };
    json test = {
        {"label", figures.label},
        {"profile", profileTable[program.profile].name},
        {"instruction", program.instruction ? json(instructionName(*program.instruction)) : json(nullptr)},
        {"program_sha256", result.test.sha256},
        {"program", programJson(program)},
        {"per_pixel",
         {{"instructions", figures.instructions},
          {"flops", figures.flops},
          {"texels", figures.texels},
          {"bytes_written", figures.bytesWritten}}},
        {"instruction_multiplier", result.instructionMultiplier},
        {"width", frameWidth},
        {"height", frameHeight},
        {"iterations", timed.iterations},
        {"sections_ms", timed.sectionsMs},
        {"min_ms", result.sections.minMs},
        {"median_ms", result.sections.medianMs},
        {"max_ms", result.sections.maxMs},
        {"fragments",
         {{"counted", timed.fragmentsCounted ? json(*timed.fragmentsCounted) : json(nullptr)},
          {"expected", result.fragmentsPerSection}}},
        {"rates",
         {{"instructions_per_s", workRate(rates.instructions)},
          {"pixels_per_s", rates.pixels},
          {"flops_per_s", workRate(rates.flops)},
          {"texels_per_s", workRate(rates.texels)},
          {"bytes_per_s", rates.bytes}}},
        {"warnings", testWarningLines(result, style)},
        {"compile", compileJson(result.test.build)},
    };
    if (result.test.file) test["work"] = workJson(*result.test.file);
    if (timed.precision) test["interval"] = intervalJson(*timed.precision);
    if (result.net && result.net->unavailable.empty()) test["net"] = netResultJson(*result.net);
    return test;
}

json resultsDocument(const RunResults& run, const BenchSettings& settings, const RunOptions& options,
                     const ResultStyle& style, const platform::HostInfo& host) {
    json tests = json::array();
    for (const TestResult& result : run.tests) tests.push_back(testResultJson(result, style));
    json latency = json::array();
    for (const LatencyResult& result : run.latency) latency.push_back(latencyJson(result));
    using namespace marlune_gpu;
    json document = {
        {"format", "korvex-results"},
        {"format_version", 2},
        {"korvex_version", korvexVersion},
        {"started_utc", run.startedUtc},
        {"host",
         {{"os", host.os}, {"kernel", host.kernel}, {"cpu", host.cpu}, {"logical_cores", host.logicalCores}}},
        {"gl",
         {{"vendor", vendorString},
          {"renderer", rendererName},
          {"version", versionString},
          {"window_system", run.windowSystem}}},
        {"driver",
         {{"name", driverName},
          {"company", driverCompany},
          {"version", driverVersion},
          {"description", driverDescription}}},
        {"settings",
         {{"mode", runMode(settings, options)},
          {"profile", profileTable[settings.fragmentProgram].name},
          {"width", frameWidth},
          {"height", frameHeight},
          {"repeat", options.repeat},
          {"iteration_policy", iterationPolicy(settings, options)},
          {"net", options.net}}},
        {"tests", tests},
        {"latency", latency},
    };
    addPrecisionSettings(document["settings"], options);
    return document;
}
