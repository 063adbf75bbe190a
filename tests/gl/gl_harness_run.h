// Runs the GL harness (one GL step in a child process) with extra
// environment variables.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/run_korvex.h"

inline KorvexRun runGLHarness(const std::vector<std::string>& args,
                              const std::vector<std::pair<std::string, std::string>>& env = {},
                              const std::string& workDir = "") {
    KorvexRunOptions options;
    options.binary = KORVEX_GL_HARNESS;
    options.args = args;
    options.env = env;
    options.workDir = workDir;
    return runKorvex(options);
}
