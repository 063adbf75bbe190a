#include "app/measuring/test_loop.h"

#include "app/measuring/net_measurement.h"
#include "app/measuring/program_timing.h"
#include "app/measuring/progress_line.h"
#include "app/measuring/section_statistics.h"
#include "app/programs/program_binding.h"
#include "app/programs/program_set.h"
#include "app/results/run_record.h"
#include "base/console.h"
#include "base/crlf_text.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "platform/output_file.h"
#include "platform/platform.h"

ResultLines resultLines;

namespace {

// The lines that follow a block: the spread of several sections, then the
// warning of a section that did not shade every fragment.
std::vector<std::string> linesAfterBlock(const TimedProgram& timed, const SectionSummary& summary,
                                         const ResultStyle& style, std::vector<std::string>& warnings) {
    std::vector<std::string> lines;
    if (timed.sectionsMs.size() > 1)
        lines.push_back(spreadLine(summary, timed.sectionsMs.size(), style.decimalSeparator));
    if (const auto warning = shadingWarning(timed.fragmentsCounted, timed.iterations)) {
        lines.push_back(*warning);
        warnings.push_back(*warning);
    }
    return lines;
}

TestRecord testRecord(const BenchSettings& settings, int test, const TimedProgram& timed) {
    const auto index = static_cast<std::size_t>(test);
    std::optional<std::string> instruction;
    if (allInstructionsMode(settings)) instruction = instructionName(listedInstruction(settings, test));
    return {testFigures[index],
            profileTable[settings.fragmentProgram].name,
            instruction,
            programDigests[index],
            settings.instructionMultiplier,
            timed,
            {},
            std::nullopt};
}

}  // namespace

void runTests(int iterations) {
    BenchSettings& settings = benchSettings;
    resultLines.clear();
    runRecord.tests.clear();
    if (settings.vectorAndScalar != 0) settings.instructionMultiplier = 4;
    const ResultStyle style = {resultSeparator(settings.vectorAndScalar, settings.textureFetches),
                               settings.resultPrefix, settings.instructionMultiplier,
                               platform::current().decimalSeparator()};
    const TimingPolicy policy = timingPolicy(settings, iterations);
    for (int test = 0; test < settings.programCount; ++test) {
        const TestFigures& figures = testFigures[static_cast<std::size_t>(test)];
        useTestProgram(settings.fragmentProgram, settings.localParameters,
                       programIds[static_cast<std::size_t>(test)]);
        progressStartTest(test + 1, settings.programCount, figures.label);
        TestRecord record = testRecord(settings, test, timeBoundProgram(policy));
        const SectionSummary summary = summarizeSections(record.timed.sectionsMs);
        const std::vector<std::string> block =
            resultBlock(figures, style, record.timed.iterations, summary.medianMs);
        resultLines.insert(resultLines.end(), block.begin(), block.end());
        const std::vector<std::string> after = linesAfterBlock(record.timed, summary, style, record.warnings);
        resultLines.insert(resultLines.end(), after.begin(), after.end());
        if (netFiguresWanted(settings)) resultLines.push_back(measureNetFigures(test, record, policy, style));
        runRecord.tests.push_back(std::move(record));
        // Every line is a write of its own; an empty line closes each printout.
        for (const std::string& line : resultLines) writeLine(line);
        writeLine("");
    }
}

void saveResults() { replaceFileAtomically("korvex_results.txt", crlfText(resultLines)); }
