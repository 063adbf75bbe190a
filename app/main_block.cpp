#include "app/main_block.h"

#include "app/options/classic_options.h"
#include "app/options/run_options.h"
#include "app/programs/program_files.h"
#include "app/programs/program_set.h"
#include "app/results/result_files.h"
#include "app/run_sequence.h"
#include "base/errors.h"
#include "bench/settings.h"

int korvexMain(const std::vector<std::string>& parameters) {
    const SplitParameters split = takeRunOptions(parameters);
    stopForUsageOrDisclaimer(split.classic);
    applyOptions(split.classic, benchSettings);
    const ProgramFileTests fileTests{takeProgramFiles(split.options, benchSettings), split.options.work};
    checkResultFiles(split.options);
    runBenchmark(benchSettings.size, benchSettings.size, benchSettings.components, benchSettings.instruction,
                 benchSettings.iterations, split.options, fileTests);
    return exitcode::success;
}
