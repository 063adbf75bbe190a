#include "app/results/result_files.h"

#include "app/measuring/test_loop.h"
#include "app/results/results_csv.h"
#include "app/results/results_json.h"
#include "base/console.h"
#include "base/crlf_text.h"
#include "base/errors.h"
#include "platform/host_info.h"
#include "platform/output_file.h"

namespace {

// The result lines' file, which every run that reaches its tests writes.
constexpr const char* resultsTextFile = "korvex_results.txt";

// An output of the run: the option that names it, null for the result lines' file.
struct RunOutput {
    const char* option;
    std::string fileName;

    std::string shown() const {
        if (option == nullptr) return std::string(resultsTextFile) + ", the result lines' file";
        return std::string(option) + " \"" + printableValue(fileName) + "\"";
    }
};

std::vector<RunOutput> runOutputs(const BenchSettings& settings, const RunOptions& options) {
    std::vector<RunOutput> outputs;
    if (settings.multipleOutputs == 0) outputs.push_back({nullptr, resultsTextFile});
    if (!options.json.empty()) outputs.push_back({"--json", options.json});
    if (!options.csv.empty()) outputs.push_back({"--csv", options.csv});
    return outputs;
}

[[noreturn]] void refuseSameFile(const RunOutput& output, const std::string& other) {
    writeErrorLine(output.shown() + " names the same file as " + other);
    throw OrderlyStop{exitcode::badOption};
}

}  // namespace

void checkResultFiles(const BenchSettings& settings, const RunOptions& options,
                      const std::vector<std::string>& inputs) {
    const std::vector<RunOutput> outputs = runOutputs(settings, options);
    for (std::size_t later = 0; later < outputs.size(); ++later) {
        for (std::size_t earlier = 0; earlier < later; ++earlier)
            if (sameFile(outputs[later].fileName, outputs[earlier].fileName))
                refuseSameFile(outputs[later], outputs[earlier].shown());
        // The result lines' file is the classic run's, replaced as it always was.
        if (outputs[later].option == nullptr) continue;
        for (const std::string& input : inputs)
            if (sameFile(outputs[later].fileName, input))
                refuseSameFile(outputs[later], "\"" + printableValue(input) + "\", which the run reads");
    }
    for (const RunOutput& output : outputs) checkReplaceable(output.fileName);
}

void saveResultFiles(const RunResults& run, const BenchSettings& settings, const RunOptions& options,
                     const ResultStyle& style) {
    std::vector<OutputBytes> outputs;
    if (settings.multipleOutputs == 0) outputs.push_back({resultsTextFile, crlfText(resultLines)});
    if (!options.json.empty()) {
        const nlohmann::ordered_json document =
            resultsDocument(run, settings, options, style, platform::hostInfo());
        // Strings from the driver need not be UTF-8; a bad byte becomes U+FFFD.
        outputs.push_back(
            {options.json,
             document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n"});
    }
    if (!options.csv.empty()) outputs.push_back({options.csv, resultsCsv(run, style)});
    replaceFilesAtomically(outputs);
}
