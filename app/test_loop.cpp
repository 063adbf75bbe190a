#include "app/test_loop.h"

#include "app/program_binding.h"
#include "app/program_set.h"
#include "app/timed_draw.h"
#include "base/console.h"
#include "base/crlf_text.h"
#include "bench/settings.h"
#include "platform/output_file.h"
#include "platform/platform.h"

ResultLines resultLines;

void runTests(int iterations) {
    BenchSettings& settings = benchSettings;
    resultLines.clear();
    if (settings.vectorAndScalar != 0) settings.instructionMultiplier = 4;
    const ResultStyle style = {resultSeparator(settings.vectorAndScalar, settings.textureFetches),
                               settings.resultPrefix, settings.instructionMultiplier,
                               platform::current().decimalSeparator()};
    for (int test = 0; test < settings.programCount; ++test) {
        const GLuint id = programIds[static_cast<std::size_t>(test)];
        bindTestProgram(settings.fragmentProgram, id);
        setTestParameters(settings.fragmentProgram, settings.localParameters, id);
        const double elapsed = timedDraw(iterations);
        const std::vector<std::string> block =
            resultBlock(testFigures[static_cast<std::size_t>(test)], style, iterations, elapsed);
        resultLines.insert(resultLines.end(), block.begin(), block.end());
        if (const auto warning = shadingWarning(lastFragmentCount(), iterations))
            resultLines.push_back(*warning);
        // Every line is a write of its own; an empty line closes each printout.
        for (const std::string& line : resultLines) writeLine(line);
        writeLine("");
    }
}

void saveResults() { replaceFileAtomically("korvex_results.txt", crlfText(resultLines)); }
