#include "app/main_block.h"

#include "app/options/classic_options.h"
#include "app/options/display_choice.h"
#include "app/options/run_options.h"
#include "app/programs/program_set.h"
#include "app/results/result_files.h"
#include "app/run_sequence.h"
#include "app/test_textures.h"
#include "base/errors.h"
#include "bench/settings.h"

namespace {

// The files a run reads, which no output may take: the bundled ones always,
// as a later run reads them even where this one does not.
std::vector<std::string> runInputFiles() {
    std::vector<std::string> files = testImageFiles();
    files.insert(files.begin(), singleTestProgramFile());
    return files;
}

}  // namespace

int korvexMain(const std::vector<std::string>& parameters) {
    const SplitParameters split = takeRunOptions(parameters);
    stopForUsageOrDisclaimer(split.classic);
    applyDisplayChoice(split.options);
    applyOptions(split.classic, benchSettings);
    checkResultFiles(benchSettings, split.options, runInputFiles());
    runBenchmark(benchSettings.size, benchSettings.size, benchSettings.components, benchSettings.instruction,
                 benchSettings.iterations, split.options);
    return exitcode::success;
}
