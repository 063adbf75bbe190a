// Output files that cannot be created: the run reports the file and the
// system's reason, and leaves no partial file of its own behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "tests/integration/bad_input_run.h"

namespace {

namespace fs = std::filesystem;

// Tests may run as root, whom permissions do not stop; a directory of the
// file's name makes creating it fail for every user. Like the other result
// files, it is tried before the window opens.
TEST_F(BadInputRun, AResultsFileThatCannotBeCreatedStopsTheRunBeforeTheFirstTest) {
    fs::create_directory(directory_.file("korvex_results.txt"));
    const KorvexRun result = run({"-I", "1", "--json", "run.json"});
    expectUnhandledError(result, "EFCreateError",
                         "Cannot create file \"" + fullPath("korvex_results.txt") + "\". Is a directory.");
    EXPECT_EQ("", result.out);
    EXPECT_TRUE(fs::is_empty(directory_.file("korvex_results.txt")));
    EXPECT_FALSE(directory_.exists("run.json"));
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

// Outputs that are one file, or an input of the run, are refused before
// anything opens: one line, exit code 2.
TEST_F(BadInputRun, OutputsThatNameOneFileAreRefusedBeforeAnythingOpens) {
    const std::set<std::string> before = entries();
    const KorvexRun result = run({"-I", "1", "--json", "out", "--csv", "Images/../out"});
    EXPECT_EQ(2, result.exitCode);
    EXPECT_EQ("--csv \"Images/../out\" names the same file as --json \"out\"\r\n", result.err);
    EXPECT_EQ("", result.out);
    EXPECT_EQ(before, entries());
}

// A pipe or a character device gets the bytes where it is; one that fails
// stops none of the other outputs, and the run then ends with exit code 1.
TEST_F(BadInputRun, APipeAndACharacterDeviceGetTheirResultsWhereTheyAre) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may make device nodes";
    // A device node like /dev/full, which refuses every write.
    ASSERT_EQ(0, mknod(directory_.file("fullnode").c_str(), S_IFCHR | 0600, makedev(1, 7)));
    ASSERT_EQ(0, mkfifo(directory_.file("fifo").c_str(), 0600));
    // Open for reading and writing, the pipe has a reader and waits for nothing.
    const int pipe = open(directory_.file("fifo").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipe, 0);
    const KorvexRun result = run({"-I", "1", "--json", "fullnode", "--csv", "fifo"});
    std::string csv(65536, '\0');
    csv.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(pipe, csv.data(), csv.size()))));
    close(pipe);
    expectUnhandledError(result, "EFCreateError",
                         "Cannot create file \"" + fullPath("fullnode") + "\". No space left on device.");
    EXPECT_EQ(6u + 1u, crlfLines(result.out).size()) << "the results were shown";
    EXPECT_EQ(0u, csv.find("label,")) << csv;
    EXPECT_EQ(result.out, directory_.read("korvex_results.txt") + "\r\n");
    EXPECT_EQ(fs::file_type::character, fs::symlink_status(directory_.file("fullnode")).type());
    EXPECT_EQ(fs::file_type::fifo, fs::symlink_status(directory_.file("fifo")).type());
}

}  // namespace
