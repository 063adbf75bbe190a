#include "app/results/result_files.h"

#include "app/results/results_csv.h"
#include "app/results/results_json.h"
#include "platform/host_info.h"
#include "platform/output_file.h"

void checkResultFiles(const RunOptions& options) {
    if (!options.json.empty()) checkReplaceable(options.json);
    if (!options.csv.empty()) checkReplaceable(options.csv);
}

void saveResultFiles(const RunResults& run, const BenchSettings& settings, const RunOptions& options,
                     const ResultStyle& style) {
    if (!options.json.empty()) {
        const nlohmann::ordered_json document =
            resultsDocument(run, settings, options, style, platform::hostInfo());
        // Strings from the driver need not be UTF-8; a bad byte becomes U+FFFD.
        replaceFileAtomically(
            options.json,
            document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
    }
    if (!options.csv.empty()) replaceFileAtomically(options.csv, resultsCsv(run, style));
}
