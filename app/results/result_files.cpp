#include "app/results/result_files.h"

#include "app/results/results_csv.h"
#include "app/results/results_json.h"
#include "platform/host_info.h"
#include "platform/output_file.h"

RunRecord runRecord;

void checkResultFiles(const BenchSettings& settings) {
    if (!settings.json.empty()) checkReplaceable(settings.json);
    if (!settings.csv.empty()) checkReplaceable(settings.csv);
}

void saveResultFiles(const BenchSettings& settings) {
    if (!settings.json.empty()) {
        // Strings from the driver need not be UTF-8; a bad byte becomes U+FFFD.
        const nlohmann::ordered_json document = resultsDocument(runRecord, settings, platform::hostInfo());
        replaceFileAtomically(
            settings.json,
            document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
    }
    if (!settings.csv.empty()) replaceFileAtomically(settings.csv, resultsCsv(runRecord));
}
