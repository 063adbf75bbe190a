#include "app/results/results_csv.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "app/results/result_lines.h"
#include "bench/marlune_glwindow.h"
#include "bench/tables.h"

namespace {

// The shortest text that reads back as the same double, in any locale.
std::string number(double value) { return nlohmann::ordered_json(value).dump(); }
std::string seconds(double ms) { return number(ms / 1000.0); }
// Empty where the JSON has null.
std::string finiteNumber(double value) { return std::isfinite(value) ? number(value) : ""; }
std::string integer(long long value) { return std::to_string(value); }

std::string row(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : ",") + csvField(field);
    return line + "\r\n";
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

const std::vector<std::string> testColumns = {"label",
                                              "profile",
                                              "instruction",
                                              "program_sha256",
                                              "instructions_per_pixel",
                                              "flops_per_pixel",
                                              "texels_per_pixel",
                                              "bytes_written_per_pixel",
                                              "width",
                                              "height",
                                              "iterations",
                                              "runs",
                                              "min_s",
                                              "median_s",
                                              "max_s",
                                              "fragments_counted",
                                              "fragments_expected",
                                              "instructions_per_s",
                                              "pixels_per_s",
                                              "flops_per_s",
                                              "texels_per_s",
                                              "bytes_per_s",
                                              "net_instructions_per_s",
                                              "net_flops_per_s",
                                              "net_ns_per_instruction_pixel",
                                              "net_fixed_s_per_quad",
                                              "net_r2",
                                              "net_trusted",
                                              "warnings"};

// The net columns: empty without net figures, the rates also without a
// trusted fit.
std::vector<std::string> netFields(const std::optional<NetResult>& net) {
    if (!net || !net->unavailable.empty()) return std::vector<std::string>(6);
    const bool trusted = net->trusted();
    return {trusted ? number(net->figures.instructionsPerSecond) : "",
            trusted ? number(net->figures.flopsPerSecond) : "",
            finiteNumber(net->figures.nsPerPixelInstruction),
            finiteNumber(net->fit.fixedMsPerQuad / 1000.0),
            finiteNumber(net->fit.r2),
            trusted ? "true" : "false"};
}

std::string testRow(const TestResult& result, const ResultStyle& style) {
    const TestFigures& f = result.test.figures;
    const ProgramShape& program = result.test.program;
    const TimedProgram& timed = result.timed;
    const RatesPerSecond& rates = result.perSecond;
    // Empty where the JSON has null: no rate from work that is not known.
    const auto workRate = [&](double rate) { return result.test.workKnown() ? number(rate) : ""; };
    std::vector<std::string> fields = {f.label,
                                       profileTable[program.profile].name,
                                       program.instruction ? instructionName(*program.instruction) : "",
                                       result.test.sha256,
                                       integer(f.instructions),
                                       integer(f.flops),
                                       integer(f.texels),
                                       integer(f.bytesWritten),
                                       integer(frameWidth),
                                       integer(frameHeight),
                                       integer(timed.iterations),
                                       integer(static_cast<long long>(timed.sectionsMs.size())),
                                       seconds(result.sections.minMs),
                                       seconds(result.sections.medianMs),
                                       seconds(result.sections.maxMs),
                                       timed.fragmentsCounted ? std::to_string(*timed.fragmentsCounted) : "",
                                       std::to_string(result.fragmentsPerSection),
                                       workRate(rates.instructions),
                                       number(rates.pixels),
                                       workRate(rates.flops),
                                       workRate(rates.texels),
                                       number(rates.bytes)};
    const std::vector<std::string> net = netFields(result.net);
    fields.insert(fields.end(), net.begin(), net.end());
    fields.push_back(joinLines(testWarningLines(result, style)));
    return row(fields);
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string resultsCsv(const RunResults& run, const ResultStyle& style) {
    if (!run.latency.empty()) {
        std::string text = row({"outputs", "components", "seconds", "bytes_per_s"});
        for (const LatencyResult& r : run.latency)
            text += row({integer(r.outputs), integer(r.components), seconds(r.sections.medianMs),
                         number(r.bytesPerSecond)});
        return text;
    }
    std::string text = row(testColumns);
    for (const TestResult& result : run.tests) text += testRow(result, style);
    return text;
}
