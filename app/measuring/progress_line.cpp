#include "app/measuring/progress_line.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "app/measuring/timed_draw.h"

namespace {

using Clock = std::chrono::steady_clock;

// The line changes a few times a second; faster would only cost time.
constexpr double secondsBetweenWrites = 0.25;

bool enabled = false;
ProgressState state;
Clock::time_point testStart;
Clock::time_point sectionsStart;
Clock::time_point lastWrite;
std::size_t shownLength = 0;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string wholeSeconds(double seconds) { return std::to_string(std::lround(seconds)) + " s"; }

void writeStandardError(const std::string& bytes) {
    // The line only informs: a failed write must not end a measurement.
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

void show() {
    const std::string text = progressText(state, secondsSince(testStart), secondsSince(sectionsStart));
    // Blanks cover what a longer previous line left.
    const std::size_t cover = shownLength > text.size() ? shownLength - text.size() : 0;
    progressWriter("\r" + text + std::string(cover, ' '));
    shownLength = text.size();
    lastWrite = Clock::now();
}

void observeSubmission(int submitted) {
    state.submitted = submitted;
    if (secondsSince(lastWrite) >= secondsBetweenWrites) show();
}

}  // namespace

ProgressWriter progressWriter = writeStandardError;

std::string progressText(const ProgressState& s, double testSeconds, double sectionsSeconds) {
    std::string text =
        "Test " + std::to_string(s.test) + " of " + std::to_string(s.tests) + ", " + s.label + ": ";
    if (s.run == 0)
        return text + "calibrating with " + std::to_string(s.iterations) + " quads, " +
               wholeSeconds(testSeconds) + " elapsed";
    const double total = static_cast<double>(s.runs) * s.iterations;
    const double done = static_cast<double>(s.run - 1) * s.iterations + s.submitted;
    const double share = total > 0 ? done / total : 0.0;
    text += "run " + std::to_string(s.run) + " of " + std::to_string(s.runs) + ", " +
            std::to_string(std::lround(100.0 * s.submitted / std::max(s.iterations, 1))) + "% of " +
            std::to_string(s.iterations) + " quads submitted, " + wholeSeconds(testSeconds) + " elapsed";
    if (share > 0) text += ", about " + wholeSeconds(sectionsSeconds * (1.0 - share) / share) + " left";
    return text;
}

void enableProgress(bool shown) {
    enabled = shown;
    submissionObserver = shown ? observeSubmission : nullptr;
}

void progressStartTest(int test, int tests, const std::string& label) {
    if (!enabled) return;
    state = {test, tests, label, 0, 0, 0, 0};
    testStart = sectionsStart = Clock::now();
}

void progressStartSection(int run, int runs, int iterations) {
    if (!enabled) return;
    if (run == 1) sectionsStart = Clock::now();
    state.run = run;
    state.runs = runs;
    state.iterations = iterations;
    state.submitted = 0;
    show();
}

void eraseProgress() {
    if (shownLength == 0) return;
    progressWriter("\r" + std::string(shownLength, ' ') + "\r");
    shownLength = 0;
}
