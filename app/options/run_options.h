// korvex's own options: long forms only, so that no letter of the classic
// options is taken, each value read from the next parameter. Unlike the
// classic options they refuse what they cannot use.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

// One --program FILE, or --suite: the bundled suite's folder of the run's
// language, which only the classic options tell.
struct ProgramChoice {
    bool suite;
    std::string path;  // as given; empty for --suite
};

// What a pixel of a program costs, as --work gives it.
struct PerPixelWork {
    int instructions, flops, texels, bytesWritten;
};

// What they set; each step of the run gets it as a value.
struct RunOptions {
    int repeat = 1;         // timed sections per test
    double minTimeS = 0.0;  // the shortest section in seconds; 0 keeps the -I count
    std::string json;       // the JSON results file; "" for none
    std::string csv;        // the CSV results file; "" for none
    bool progress = true;   // the progress line, where standard error is a terminal
    bool net = false;       // the net figures of generated tests
    // The program files' choices in the order given; empty for the classic tests.
    std::vector<ProgramChoice> programs;
    // Replaces the counted work of every program file.
    std::optional<PerPixelWork> work;
    // How the window reaches the driver: the window system and the EGL device.
    platform::DisplayRequest display;
    bool listDevices = false;  // print the EGL devices instead of running

    // Sections until the median's interval lies within this percentage of
    // it; 0 for `repeat` of them.
    double precisionPct = 0.0;
    // What a test may spend on its way there, in seconds; 0 for no limit.
    double maxTimeS = 0.0;
    // The tests' sections take turns, in rounds.
    bool interleave = false;
};

// The ranges the options with a number accept.
constexpr int mostRepeats = 1000;
constexpr double longestMinTime = 3600.0;
constexpr int mostWorkPerPixel = 1000000;
constexpr double longestMaxTime = 86400.0;

struct SplitParameters {
    RunOptions options;
    std::vector<std::string> classic;  // the other parameters, in order
};

// Takes --repeat N (1 to mostRepeats), --min-time S (seconds, above 0 up to
// longestMinTime, "." as decimal point), --json FILE, --csv FILE,
// --no-progress, --net, --precision P (percent, above 0 up to 100),
// --max-time S (seconds, above 0 up to longestMaxTime), --interleave,
// --platform egl|glx, --device N (decimal digits), --list-devices,
// --program FILE (repeatable), --suite and --work I,F,T,B (whole numbers
// from 0 to mostWorkPerPixel), exact case, out of `parameters`; a later
// occurrence overrides an earlier one. A value that is missing or not
// accepted, --max-time without --precision, or --work without a program file
// to apply to,
// writes one line to standard error that names the option and what it
// accepts, and stops with exit code 2, before anything opens.
SplitParameters takeRunOptions(const std::vector<std::string>& parameters);

// The names takeRunOptions takes, in the table's order; the reference pages
// are checked against them.
std::vector<std::string> runOptionNames();

// Writes `line` to standard error and stops with exit code 2: the refusal of
// an option's value, also for what the value names.
[[noreturn]] void refuseOption(const std::string& line);

// A value as a refusal line shows it: a control character, which would break
// the line, as \xHH.
std::string printableValue(const std::string& value);
