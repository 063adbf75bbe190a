#include "app/measuring/progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/host_info.h"

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

namespace {

bool continuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The characters of `text`, a UTF-8 sequence counting once.
std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char byte) { return !continuesCharacter(byte); }));
}

}  // namespace

std::string fittedText(const std::string& text, int columns) {
    const std::size_t most = static_cast<std::size_t>(std::max(columns, 0));
    if (characterCount(text) <= most) return text;
    for (std::size_t comma = text.rfind(", "); comma != std::string::npos && comma > 0;
         comma = text.rfind(", ", comma - 1))
        if (characterCount(text.substr(0, comma)) <= most) return text.substr(0, comma);
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++end)
        if (!continuesCharacter(text[end]) && characters++ == most) break;
    return text.substr(0, end);
}

ProgressLine::ProgressLine(bool shown, Writer writer, Columns columns)
    : shown_(shown),
      writer_(writer ? std::move(writer) : writeStandardError),
      columns_(columns ? std::move(columns) : platform::standardErrorColumns) {}

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
    // A line as wide as the terminal would put the cursor on the next row on
    // some terminals, so it stays one column short.
    const std::string text = fittedText(
        progressText(state_, secondsSince(testStart_), secondsSince(sectionsStart_)), columns_() - 1);
    // A shorter line first blanks what the longer one left, so that the
    // cursor ends where the line does.
    const std::size_t length = characterCount(text);
    const std::string blank = length < shownLength_ ? "\r" + std::string(shownLength_, ' ') : "";
    writer_(blank + "\r" + text);
    shownLength_ = length;
    lastWrite_ = Clock::now();
}
