#include "tests/integration/bad_input_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "base/errors.h"
#include "gl/GL.h"
#include "gl/GLext.h"

void BadInputRun::SetUp() {
    GLContextTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    copyBenchmarkFiles(directory_.path());
}

KorvexRun BadInputRun::run(const std::vector<std::string>& args) const {
    KorvexRunOptions options;
    options.args = args;
    options.input = "\n";
    return run(options);
}

KorvexRun BadInputRun::run(const KorvexRunOptions& options) const {
    KorvexRunOptions inDirectory = options;
    inDirectory.workDir = directory_.path();
    return runKorvex(inDirectory);
}

std::set<std::string> BadInputRun::entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory_.path()))
        names.insert(entry.path().filename().string());
    return names;
}

std::string BadInputRun::fullPath(const std::string& name) const {
    return (std::filesystem::path(directory_.path()) / name).lexically_normal().string();
}

std::string BadInputRun::driverErrors(const std::string& programText) {
    GLuint id = 0;
    gl::glGenProgramsARB(1, &id);
    gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, id);
    gl::glProgramStringARB(glenum::FRAGMENT_PROGRAM_ARB, glenum::PROGRAM_FORMAT_ASCII_ARB,
                           static_cast<GLsizei>(programText.size()), programText.data());
    const GLubyte* errors = gl::glGetString(glenum::PROGRAM_ERROR_STRING_ARB);
    return errors ? reinterpret_cast<const char*>(errors) : "";
}

void expectUnhandledError(const KorvexRun& run, const std::string& kind, const std::string& message) {
    EXPECT_EQ(exitcode::unhandledError, run.exitCode);
    const std::size_t firstLineEnd = run.err.find("\r\n");
    ASSERT_NE(std::string::npos, firstLineEnd) << run.err;
    // The address in the first line differs from build to build.
    EXPECT_TRUE(std::regex_match(run.err.substr(0, firstLineEnd),
                                 std::regex("Exception " + kind + " in module korvex at 0x[0-9a-f]+\\.")))
        << run.err;
    EXPECT_EQ(message + "\r\n", run.err.substr(firstLineEnd + 2));
}

void expectCompletedRun(const KorvexRun& run, const TempDir& directory) {
    EXPECT_EQ(exitcode::success, run.exitCode);
    EXPECT_EQ("", run.err);
    EXPECT_EQ(6u + 1u, crlfLines(run.out).size()) << run.out;
    EXPECT_EQ(run.out, directory.read("korvex_results.txt") + "\r\n");
}

void expectRejectedProgram(const KorvexRun& run, const std::string& driverErrors) {
    ASSERT_NE("", driverErrors) << "the driver accepted the program";
    EXPECT_EQ(exitcode::programRejected, run.exitCode);
    EXPECT_EQ("Fragment program contains errors:\n\n" + driverErrors + "\r\n", run.out);
    EXPECT_EQ("", run.err);
}
