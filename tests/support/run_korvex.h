// Runs the real korvex binary in a directory and collects what it did.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/crlf_lines.h"

struct KorvexRun {
    int exitCode = -1;  // the exit status, or 128 + signal when it died of one
    std::string out;
    std::string err;
};

struct KorvexRunOptions {
    std::string workDir;
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> env;  // added to the environment
    std::string input;                                     // written to standard input, which is then closed
    bool closedInput = false;                              // start with standard input closed altogether
    std::string binary;                                    // defaults to the korvex of this build
    int terminalColumns = 0;  // above 0: standard error is a pseudo-terminal this wide, in raw mode
};

KorvexRun runKorvex(const KorvexRunOptions& options);

// Copies Images/ and fasm_1.txt of the source tree into `directory`.
void copyBenchmarkFiles(const std::string& directory);
