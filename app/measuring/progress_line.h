// The progress line of a run: on standard error, only when it is a terminal,
// rewritten in place and erased before results are printed.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "app/measuring/timed_draw.h"

// Where the test stands, as the line shows it.
struct ProgressState {
    int test = 0;  // 1 to tests
    int tests = 0;
    std::string label;
    int run = 0;         // 1 to runs; 0 while calibrating
    int runs = 0;        // 0 where the total is open
    int iterations = 0;  // quads of the current section
    int submitted = 0;   // quads of it submitted so far
};

// "Test 3 of 25, MUL: run 2 of 5, 45% of 10000 quads submitted, 12 s
// elapsed, about 15 s left", the estimate from the share of the runs' quads
// submitted in `sectionsSeconds`; "..., calibrating with 100 quads, 2 s
// elapsed" before the runs; "..., run 7, 45% of 100 quads submitted, 12 s
// elapsed" without an estimate where the total is open.
std::string progressText(const ProgressState& state, double testSeconds, double sectionsSeconds);

// `text` cut to at most `columns` characters (UTF-8 sequences whole): at the
// last ", " that lets it fit, or else at the width itself.
std::string fittedText(const std::string& text, int columns);

class ProgressLine {
public:
    // Where the line's bytes go, and how wide the terminal is now.
    using Writer = std::function<void(const std::string& bytes)>;
    using Columns = std::function<int()>;

    // A line that shows only when `shown` (standard error is a terminal and
    // --no-progress is absent), written to standard error or to `writer`.
    // It stays short of the terminal's width (standard error's, or
    // `columns`), so it never wraps onto a row that erasing cannot reach.
    explicit ProgressLine(bool shown, Writer writer = nullptr, Columns columns = nullptr);

    // A new test: the line starts over.
    void startTest(int test, int tests, const std::string& label);
    // A section begins: calibration (run 0) or timed run `run` of `runs`.
    void startSection(int run, int runs, int iterations);
    // Erases the line, so that what follows starts at the left margin.
    void erase();
    // What the timed draw tells of its quads; empty when the line is not shown.
    SubmissionObserver observer();

private:
    using Clock = std::chrono::steady_clock;
    void show();

    bool shown_;
    Writer writer_;
    Columns columns_;
    ProgressState state_;
    Clock::time_point testStart_;
    Clock::time_point sectionsStart_;
    Clock::time_point lastWrite_;
    std::size_t shownLength_ = 0;  // characters of the line on the terminal
};

// Erases the line when it goes out of scope, however the sections end.
struct ErasedAtEnd {
    ProgressLine& line;
    ~ErasedAtEnd() { line.erase(); }
};
