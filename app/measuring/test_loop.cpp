#include "app/measuring/test_loop.h"

#include "app/measuring/interleaved_rounds.h"
#include "app/measuring/net_measurement.h"
#include "app/measuring/programs_to_time.h"
#include "base/console.h"
#include "bench/settings.h"

ResultLines resultLines;

namespace {

// The timings of one test's programsOfTest, in their order.
using TestTimings = std::vector<TimedProgram>;

TestTimings timeInTurn(const std::vector<ProgramToTime>& programs, const ProgramTimer& timer) {
    TestTimings timings;
    for (const ProgramToTime& program : programs) {
        bindToTime(program, timer.progress);
        timings.push_back(timeBoundProgram(timer));
    }
    return timings;
}

// Every test's programs timed together in rounds, their timings handed back
// test by test.
std::vector<TestTimings> timeTogether(const std::vector<std::vector<ProgramToTime>>& tests,
                                      const ProgramTimer& timer) {
    std::vector<ProgramToTime> all;
    for (const auto& programs : tests) all.insert(all.end(), programs.begin(), programs.end());
    std::vector<TimedProgram> timings = timeInRounds(all, timer);
    std::vector<TestTimings> byTest;
    auto next = timings.begin();
    for (const auto& programs : tests) {
        byTest.emplace_back(next, next + static_cast<std::ptrdiff_t>(programs.size()));
        next += static_cast<std::ptrdiff_t>(programs.size());
    }
    return byTest;
}

}  // namespace

std::vector<TestResult> runTests(const CompiledSet& programs, const ProgramTimer& timer,
                                 const ResultStyle& style) {
    BenchSettings& settings = benchSettings;
    resultLines.clear();
    if (settings.vectorAndScalar != 0) settings.instructionMultiplier = 4;
    std::vector<std::vector<ProgramToTime>> testPrograms;
    for (int test = 0; test < settings.programCount; ++test)
        testPrograms.push_back(programsOfTest(test, programs));
    std::vector<TestTimings> together;
    if (timer.policy.interleave) together = timeTogether(testPrograms, timer);
    std::vector<TestResult> results;
    for (int test = 0; test < settings.programCount; ++test) {
        const auto index = static_cast<std::size_t>(test);
        const TestTimings timings =
            timer.policy.interleave ? std::move(together[index]) : timeInTurn(testPrograms[index], timer);
        TestResult result = testResult(programs.tests.at(index), settings.instructionMultiplier,
                                       settings.resultPrefix, timings.front());
        if (!programs.net.empty()) result.net = measuredNet(programs.net[index], timings);
        const std::vector<std::string> lines = testResultLines(result, style);
        resultLines.insert(resultLines.end(), lines.begin(), lines.end());
        results.push_back(std::move(result));
        // Every line is a write of its own; an empty line closes each printout.
        for (const std::string& line : resultLines) writeLine(line);
        writeLine("");
    }
    return results;
}
