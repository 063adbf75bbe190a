#include "app/results/results_csv.h"

#include "app/measuring/section_statistics.h"
#include "bench/marlune_glwindow.h"

namespace {

// The shortest text that reads back as the same double, in any locale.
std::string number(double value) { return nlohmann::ordered_json(value).dump(); }
std::string seconds(double ms) { return number(ms / 1000.0); }

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

std::string testRow(const TestRecord& record) {
    const TestFigures& f = record.figures;
    const TimedProgram& timed = record.timed;
    const SectionSummary summary = summarizeSections(timed.sectionsMs);
    const BaseRates rates = baseRates(f, record.instructionMultiplier, timed.iterations, summary.medianMs);
    const auto integer = [](long long value) { return std::to_string(value); };
    return row({f.label,
                record.profile,
                record.instruction.value_or(""),
                record.programSha256,
                integer(f.instructions),
                integer(f.flops),
                integer(f.texels),
                integer(f.bytesWritten),
                integer(frameWidth),
                integer(frameHeight),
                integer(timed.iterations),
                integer(static_cast<long long>(timed.sectionsMs.size())),
                seconds(summary.minMs),
                seconds(summary.medianMs),
                seconds(summary.maxMs),
                timed.fragmentsCounted ? std::to_string(*timed.fragmentsCounted) : "",
                integer(pixelsPerIteration * timed.iterations),
                number(rates.instructions),
                number(rates.pixels),
                number(rates.flops),
                number(rates.texels),
                number(rates.bytes),
                joinLines(record.warnings)});
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string resultsCsv(const RunRecord& run) {
    if (!run.latency.empty()) {
        std::string text = row({"outputs", "components", "seconds", "bytes_per_s"});
        for (const LatencyRecord& r : run.latency)
            text += row({std::to_string(r.outputs), std::to_string(r.components), seconds(r.ms),
                         number(r.bytesPerSecond)});
        return text;
    }
    std::string text = row({"label",
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
                            "warnings"});
    for (const TestRecord& record : run.tests) text += testRow(record);
    return text;
}
