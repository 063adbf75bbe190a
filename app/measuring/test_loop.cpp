#include "app/measuring/test_loop.h"

#include "app/measuring/net_measurement.h"
#include "app/programs/program_binding.h"
#include "base/console.h"
#include "bench/settings.h"

ResultLines resultLines;

std::vector<TestResult> runTests(const CompiledSet& programs, const ProgramTimer& timer,
                                 const ResultStyle& style) {
    BenchSettings& settings = benchSettings;
    resultLines.clear();
    if (settings.vectorAndScalar != 0) settings.instructionMultiplier = 4;
    std::vector<TestResult> results;
    for (int test = 0; test < settings.programCount; ++test) {
        const auto index = static_cast<std::size_t>(test);
        const SetTest& setTest = programs.tests.at(index);
        useTestProgram(settings.fragmentProgram, settings.localParameters, programIds[index]);
        timer.progress.startTest(test + 1, settings.programCount, setTest.figures.label);
        TestResult result = testResult(setTest, settings.instructionMultiplier, settings.resultPrefix,
                                       timeBoundProgram(timer));
        if (!programs.net.empty()) result.net = measureNet(test, programs.net[index], result, timer);
        const std::vector<std::string> lines = testResultLines(result, style);
        resultLines.insert(resultLines.end(), lines.begin(), lines.end());
        results.push_back(std::move(result));
        // Every line is a write of its own; an empty line closes each printout.
        for (const std::string& line : resultLines) writeLine(line);
        writeLine("");
    }
    return results;
}
