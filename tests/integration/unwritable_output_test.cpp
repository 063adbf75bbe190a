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
    expectUnhandledError(
        result, "EFCreateError",
        "Cannot create file \"" + fullPath("absent/run.csv") + "\". No such file or directory.");
    EXPECT_EQ("", result.out);
    EXPECT_EQ(std::set<std::string>({"Images", "fasm_1.txt"}), entries()) << "nothing written, nothing left";
}

// Names that a link or a folder holds are never written through: a numbered
// text passes over them to the first free number, and the results replace a
// link of their name while the file it leads to stays as it was.
TEST_F(BadInputRun, OutputsNeverWriteThroughALinkOrIntoATakenName) {
    fs::create_symlink("outside.txt", directory_.file("fasm_0000.txt"));
    fs::create_directory(directory_.file("fasm_0001.txt"));
    directory_.write("user.txt", "the user's file");
    fs::create_symlink("user.txt", directory_.file("korvex_results.txt"));
    const KorvexRun result = run({"-o", "d", "-I", "1"});
    expectCompletedRun(result, directory_);
    EXPECT_EQ(directory_.read("fasm_0002.txt"), directory_.read("fasm_1.txt"));
    EXPECT_FALSE(fs::exists(directory_.file("outside.txt"))) << "the dangling link's target was created";
    EXPECT_TRUE(fs::is_symlink(directory_.file("fasm_0000.txt")));
    EXPECT_EQ("the user's file", directory_.read("user.txt"));
    EXPECT_FALSE(fs::is_symlink(directory_.file("korvex_results.txt")));
}

}  // namespace
