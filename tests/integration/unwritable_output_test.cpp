// Output files that cannot be created: the run reports the file and the
// system's reason, and leaves no partial file of its own behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/integration/bad_input_run.h"

namespace {

namespace fs = std::filesystem;

// Tests may run as root, whom permissions do not stop; a directory of the
// file's name makes creating it fail for every user.
TEST_F(BadInputRun, AResultsFileThatCannotBeCreatedIsReportedAfterTheResults) {
    fs::create_directory(directory_.file("korvex_results.txt"));
    const KorvexRun result = run();
    expectUnhandledError(result, "EFCreateError",
                         "Cannot create file \"" + fullPath("korvex_results.txt") + "\". Is a directory.");
    EXPECT_EQ(6u + 1u, crlfLines(result.out).size()) << "the results were shown before the save";
    EXPECT_TRUE(fs::is_empty(directory_.file("korvex_results.txt")));
}

TEST_F(BadInputRun, AResultsFileInAReadOnlyDirectoryIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
    fs::permissions(directory_.path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const KorvexRun result = run();
    expectUnhandledError(result, "EFCreateError",
                         "Cannot create file \"" + fullPath("korvex_results.txt") + "\". Permission denied.");
    EXPECT_FALSE(directory_.exists("korvex_results.txt"));
}

// A result file that cannot be written is found before the first test, so
// that a long run cannot end in "cannot write".
TEST_F(BadInputRun, AResultFileThatCannotBeCreatedStopsTheRunBeforeTheFirstTest) {
    const KorvexRun result = run({"-I", "1", "--json", "run.json", "--csv", "absent/run.csv"});
    expectUnhandledError(result, "EFCreateError",
                         "Cannot create file \"" + fullPath("absent/run.csv") + "\". No such file or directory.");
    EXPECT_EQ("", result.out);
    EXPECT_EQ(std::set<std::string>({"Images", "fasm_1.txt"}), entries()) << "nothing written, nothing left";
}

// Another run's file or a link never takes a program text: each one goes to
// the next free number, and a dangling link's target is not created.
TEST_F(BadInputRun, ProgramTextsPassOverNamesThatAreTakenAndNeverFollowALink) {
    directory_.write("fasm_0001.txt", "another run's text");
    fs::create_symlink("outside.txt", directory_.file("fasm_0003.txt"));
    const KorvexRun result = run({"-a", "-o", "d", "-I", "1"});
    EXPECT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ("another run's text", directory_.read("fasm_0001.txt"));
    EXPECT_TRUE(fs::is_symlink(directory_.file("fasm_0003.txt")));
    EXPECT_FALSE(directory_.exists("outside.txt")) << "the link was followed";
    for (const char* saved : {"fasm_0000.txt", "fasm_0002.txt", "fasm_0004.txt", "fasm_0026.txt"}) {
        const std::string text = directory_.read(saved);
        EXPECT_EQ("!!ARBfp1.0\r\n", text.substr(0, 12)) << saved;
    }
    EXPECT_FALSE(directory_.exists("fasm_0027.txt")) << "25 texts in 27 numbers";
}

}  // namespace
