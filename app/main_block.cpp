#include "app/main_block.h"

#include "app/options/classic_options.h"
#include "app/options/display_choice.h"
#include "app/options/run_options.h"
#include "app/programs/program_files.h"
#include "app/programs/program_set.h"
#include "app/results/result_files.h"
#include "app/run_sequence.h"
#include "app/test_textures.h"
#include "base/errors.h"
#include "bench/settings.h"

namespace {

// The files a run reads, which no output may take: the bundled ones always,
// as a later run reads them even where this one does not.
RunInputs runInputFiles(const std::vector<ProgramFile>& programFiles) {
    RunInputs inputs{testImageFiles(), {}};
    inputs.bundled.insert(inputs.bundled.begin(), singleTestProgramFile());
    for (const std::string& file : bundledSuiteFiles()) inputs.bundled.push_back(file);
    for (const ProgramFile& file : programFiles) inputs.named.push_back(file.path);
    return inputs;
}

}  // namespace

int korvexMain(const std::vector<std::string>& parameters) {
    const SplitParameters split = takeRunOptions(parameters);
    stopForUsageOrDisclaimer(split.classic);
    applyDisplayChoice(split.options);
    applyOptions(split.classic, benchSettings);
    const ProgramFileTests fileTests{takeProgramFiles(split.options, benchSettings), split.options.work};
    checkResultFiles(benchSettings, split.options, runInputFiles(fileTests.files));
    runBenchmark(benchSettings.size, benchSettings.size, benchSettings.components, benchSettings.instruction,
                 benchSettings.iterations, split.options, fileTests);
    return exitcode::success;
}
