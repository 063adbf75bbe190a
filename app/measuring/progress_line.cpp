#include "app/measuring/progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The line changes a few times a second; faster would only cost time.
constexpr double secondsBetweenWrites = 0.25;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string wholeSeconds(double seconds) { return std::to_string(std::lround(seconds)) + " s"; }

void writeStandardError(const std::string& bytes) {
    // The line only informs: a failed write must not end a measurement.
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

std::string progressText(const ProgressState& s, double testSeconds, double sectionsSeconds) {
    std::string text =
        "Test " + std::to_string(s.test) + " of " + std::to_string(s.tests) + ", " + s.label + ": ";
    if (s.run == 0)
        return text + "calibrating with " + std::to_string(s.iterations) + " quads, " +
               wholeSeconds(testSeconds) + " elapsed";
    const double total = static_cast<double>(s.runs) * s.iterations;
    const double done = static_cast<double>(s.run - 1) * s.iterations + s.submitted;
    const double share = total > 0 ? done / total : 0.0;
    text += "run " + std::to_string(s.run) + (s.runs > 0 ? " of " + std::to_string(s.runs) : "") + ", " +
            std::to_string(std::lround(100.0 * s.submitted / std::max(s.iterations, 1))) + "% of " +
            std::to_string(s.iterations) + " quads submitted, " + wholeSeconds(testSeconds) + " elapsed";
    if (share > 0) text += ", about " + wholeSeconds(sectionsSeconds * (1.0 - share) / share) + " left";
    return text;
}

ProgressLine::ProgressLine(bool shown, Writer writer)
    : shown_(shown), writer_(writer ? std::move(writer) : writeStandardError) {}

void ProgressLine::startTest(int test, int tests, const std::string& label) {
    if (!shown_) return;
    state_ = {test, tests, label, 0, 0, 0, 0};
    testStart_ = sectionsStart_ = Clock::now();
}

void ProgressLine::startSection(int run, int runs, int iterations) {
    if (!shown_) return;
    if (run == 1) sectionsStart_ = Clock::now();
    state_.run = run;
    state_.runs = runs;
    state_.iterations = iterations;
    state_.submitted = 0;
    show();
}

void ProgressLine::erase() {
    if (shownLength_ == 0) return;
    writer_("\r" + std::string(shownLength_, ' ') + "\r");
    shownLength_ = 0;
}

SubmissionObserver ProgressLine::observer() {
    if (!shown_) return nullptr;
    return [this](int submitted) {
        state_.submitted = submitted;
        if (secondsSince(lastWrite_) >= secondsBetweenWrites) show();
    };
}

void ProgressLine::show() {
    const std::string text = progressText(state_, secondsSince(testStart_), secondsSince(sectionsStart_));
    // Blanks cover what a longer previous line left.
    const std::size_t cover = shownLength_ > text.size() ? shownLength_ - text.size() : 0;
    writer_("\r" + text + std::string(cover, ' '));
    shownLength_ = text.size();
    lastWrite_ = Clock::now();
}
