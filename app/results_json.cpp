#include "app/results_json.h"

#include "app/program_set.h"
#include "app/section_statistics.h"
#include "app/texts.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "bench/tables.h"

using json = nlohmann::ordered_json;

namespace {

const char* runMode(const BenchSettings& settings) {
    if (settings.multipleOutputs != 0) return "latency";
    return allInstructionsMode(settings) ? "all_instructions" : "single";
}

json iterationPolicy(const BenchSettings& settings) {
    if (settings.minTime > 0) return {{"kind", "min_time"}, {"min_time_s", settings.minTime}};
    return {{"kind", "fixed"}, {"iterations", settings.iterations}};
}

json latencyJson(const LatencyRecord& record) {
    return {{"outputs", record.outputs},
            {"components", record.components},
            {"ms", record.ms},
            {"bytes_per_s", record.bytesPerSecond},
            {"iterations", record.iterations},
            {"sections_ms", record.sectionsMs}};
}

}  // namespace

json testResultJson(const TestRecord& record) {
    const TestFigures& figures = record.figures;
    const TimedProgram& timed = record.timed;
    const SectionSummary summary = summarizeSections(timed.sectionsMs);
    const BaseRates rates =
        baseRates(figures, record.instructionMultiplier, timed.iterations, summary.medianMs);
    json test = {
        {"label", figures.label},
        {"profile", record.profile},
        {"instruction", record.instruction ? json(*record.instruction) : json(nullptr)},
        {"program_sha256", record.programSha256},
        {"per_pixel",
         {{"instructions", figures.instructions},
          {"flops", figures.flops},
          {"texels", figures.texels},
          {"bytes_written", figures.bytesWritten}}},
        {"width", frameWidth},
        {"height", frameHeight},
        {"iterations", timed.iterations},
        {"sections_ms", timed.sectionsMs},
        {"min_ms", summary.minMs},
        {"median_ms", summary.medianMs},
        {"max_ms", summary.maxMs},
        {"fragments",
         {{"counted", timed.fragmentsCounted ? json(*timed.fragmentsCounted) : json(nullptr)},
          {"expected",
           static_cast<std::uint64_t>(pixelsPerIteration) * static_cast<std::uint64_t>(timed.iterations)}}},
        {"rates",
         {{"instructions_per_s", rates.instructions},
          {"pixels_per_s", rates.pixels},
          {"flops_per_s", rates.flops},
          {"texels_per_s", rates.texels},
          {"bytes_per_s", rates.bytes}}},
        {"warnings", record.warnings},
    };
    if (record.net) test["net"] = *record.net;
    return test;
}

json settingsOptionsJson(const BenchSettings& s) {
    return {
        {"arbTestList", std::vector<int>(std::begin(s.arbTestList), std::end(s.arbTestList))},
        {"nvTestList", std::vector<int>(std::begin(s.nvTestList), std::end(s.nvTestList))},
        {"resultPrefix", s.resultPrefix},
        {"gpuid", s.gpuid},
        {"output", s.output},
        {"fragmentProgram", s.fragmentProgram},
        {"nvOption", s.nvOption},
        {"localParameters", s.localParameters},
        {"precisionHint", s.precisionHint},
        {"nvInstructionPrecision", s.nvInstructionPrecision},
        {"vectorAndScalar", s.vectorAndScalar},
        {"size", s.size},
        {"temporaries", s.temporaries},
        {"length", s.length},
        {"components", s.components},
        {"primitive", s.primitive},
        {"iterations", s.iterations},
        {"instruction", s.instruction},
        {"clamp", s.clamp},
        {"textureFetches", s.textureFetches},
        {"fetchTexture", s.fetchTexture},
        {"multiTexCoords", s.multiTexCoords},
        {"branching", s.branching},
        {"multipleOutputs", s.multipleOutputs},
        {"outputCount", s.outputCount},
        {"arbDrawBuffers", s.arbDrawBuffers},
        {"latencySizeFirst", s.latencySizeFirst},
        {"latencySizeLast", s.latencySizeLast},
        {"allInstructions", s.allInstructions},
        {"programCount", s.programCount},
        {"instructionMultiplier", s.instructionMultiplier},
        {"repeat", s.repeat},
        {"minTime", s.minTime},
        {"json", s.json},
        {"csv", s.csv},
        {"noProgress", s.noProgress},
        {"net", s.net},
    };
}

json resultsDocument(const RunRecord& run, const BenchSettings& settings, const platform::HostInfo& host) {
    json tests = json::array();
    for (const TestRecord& record : run.tests) tests.push_back(testResultJson(record));
    json latency = json::array();
    for (const LatencyRecord& record : run.latency) latency.push_back(latencyJson(record));
    using namespace marlune_gpu;
    return {
        {"format", "korvex-results"},
        {"format_version", 1},
        {"korvex_version", korvexVersion},
        {"started_utc", run.startedUtc},
        {"host",
         {{"os", host.os}, {"kernel", host.kernel}, {"cpu", host.cpu}, {"logical_cores", host.logicalCores}}},
        {"gl", {{"vendor", vendorString}, {"renderer", rendererName}, {"version", versionString}}},
        {"driver",
         {{"name", driverName},
          {"company", driverCompany},
          {"version", driverVersion},
          {"description", driverDescription}}},
        {"settings",
         {{"mode", runMode(settings)},
          {"profile", profileTable[settings.fragmentProgram].name},
          {"width", frameWidth},
          {"height", frameHeight},
          {"repeat", settings.repeat},
          {"iteration_policy", iterationPolicy(settings)},
          {"net", settings.net != 0},
          {"options", settingsOptionsJson(settings)}}},
        {"tests", tests},
        {"latency", latency},
    };
}
