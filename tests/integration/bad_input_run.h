// Runs of the real korvex binary in a directory holding the benchmark files,
// where each case breaks one input or output. Checks the exact messages, the
// exit code, and which files the run left behind.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tests/support/gl_test_context.h"
#include "tests/support/run_korvex.h"
#include "tests/support/temp_dir.h"

// The GL context of the fixture serves two ends: cases are skipped where the
// machine has no EGL display (korvex could not get past its window there),
// and the driver's own error text for a program can be asked for in-process.
class BadInputRun : public GLContextTest {
protected:
    void SetUp() override;

    // korvex with `args` in the directory; Enter is pressed when asked for.
    KorvexRun run(const std::vector<std::string>& args = {"-I", "1"}) const;
    KorvexRun run(const KorvexRunOptions& options) const;

    // The names in the directory (one level), to see what a run left behind.
    std::set<std::string> entries() const;

    // The full path korvex names for a file of the directory.
    std::string fullPath(const std::string& name) const;

    // The error string the driver gives for this program text.
    std::string driverErrors(const std::string& programText);

    TempDir directory_;
};

// The top-level report on standard error and exit code 1.
void expectUnhandledError(const KorvexRun& run, const std::string& kind, const std::string& message);

// A completed run: exit code 0, nothing on standard error, one result block,
// and korvex_results.txt holding the same lines.
void expectCompletedRun(const KorvexRun& run, const TempDir& directory);

// The stop for a program that the driver rejects: its text, exit code 3.
void expectRejectedProgram(const KorvexRun& run, const std::string& driverErrors);
