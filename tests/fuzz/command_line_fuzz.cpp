// Any list of up to 40 parameters: the options leave every setting within its
// invariants, and the usage and disclaimer decision either prints one whole
// text and stops with exit code 0, or prints nothing and goes on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/options/classic_options.h"
#include "app/options/command_line.h"
#include "app/options/run_options.h"
#include "app/texts.h"
#include "base/console.h"
#include "base/errors.h"
#include "bench/settings.h"
#include "platform/command_line_words.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr std::size_t mostParameters = 40;

std::string captured;
void captureWriter(const std::string& bytes) { captured += bytes; }

std::string textOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The first byte picks the form: the rest is either one command-line string,
// split as the platform splits it, or parameters separated by NUL bytes, as
// argv holds them.
std::vector<std::string> parametersFrom(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) return splitCommandLine(rest);
    std::vector<std::string> parameters;
    std::size_t start = 0;
    for (std::size_t end = rest.find('\0'); end != std::string::npos; end = rest.find('\0', start)) {
        parameters.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    parameters.push_back(rest.substr(start));
    return parameters;
}

bool computedFieldsUntouched(const BenchSettings& settings) {
    const BenchSettings& d = defaultBenchSettings;
    bool listsKept = true;
    for (std::size_t i = 0; i < sizeof d.arbTestList; ++i)
        listsKept &= settings.arbTestList[i] == d.arbTestList[i];
    for (std::size_t i = 0; i < sizeof d.nvTestList; ++i)
        listsKept &= settings.nvTestList[i] == d.nvTestList[i];
    return listsKept && settings.programCount == d.programCount &&
           settings.arbDrawBuffers == d.arbDrawBuffers &&
           settings.instructionMultiplier == d.instructionMultiplier &&
           settings.latencySizeFirst == d.latencySizeFirst && settings.latencySizeLast == d.latencySizeLast;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parameters = parametersFrom(data, size);
    if (parameters.size() > mostParameters) return -1;

    std::vector<std::string> classic;
    captured.clear();
    const ConsoleWriter previousError = errorConsoleWriter;
    errorConsoleWriter = captureWriter;
    try {
        classic = takeRunOptions(parameters).classic;
    } catch (const OrderlyStop& stop) {
        require(stop.exitCode == exitcode::badOption,
                "a refused value of our own options ends with exit code 2");
        require(captured.find("\r\n") == captured.size() - 2, "a refused value prints one line");
        errorConsoleWriter = previousError;
        return 0;
    }
    errorConsoleWriter = previousError;
    require(captured.empty(), "accepted options print nothing");

    BenchSettings settings = defaultBenchSettings;
    applyOptions(classic, settings);
    require(settingsInvariantsHold(settings), "every setting stays within its invariants");
    require(computedFieldsUntouched(settings), "the options leave the computed fields and test lists alone");

    static const std::string usage = textOf(usageLines());
    static const std::string disclaimer = textOf(disclaimerLines());
    captured.clear();
    const ConsoleWriter previous = consoleWriter;
    consoleWriter = captureWriter;
    try {
        stopForUsageOrDisclaimer(classic);
        require(captured.empty(), "going on into the run prints nothing");
        require(classic.size() != 30, "thirty parameters always stop with the usage");
    } catch (const OrderlyStop& stop) {
        require(stop.exitCode == exitcode::success, "usage and disclaimer end with exit code 0");
        require(captured == usage || captured == disclaimer, "a stop prints the whole usage or disclaimer");
        require(classic.size() != 30 || captured == usage, "thirty parameters print the usage");
    }
    consoleWriter = previous;
    return 0;
}
