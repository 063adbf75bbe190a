#include "platform/output_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "base/errors.h"
#include "tests/support/temp_dir.h"

namespace {

std::string createErrorOf(void (*write)()) {
    try {
        write();
    } catch (const KorvexError& error) {
        EXPECT_EQ(ErrorKind::fileCreate, error.kind());
        return error.what();
    }
    ADD_FAILURE() << "no error raised";
    return "";
}

std::vector<std::string> entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(OutputFileTest, ANewFileNeverTakesANameThatAnythingHolds) {
    TempDir dir(true);
    EXPECT_TRUE(writeNewFile("a.txt", "first"));
    EXPECT_FALSE(writeNewFile("a.txt", "second")) << "another run's file";
    EXPECT_EQ("first", dir.read("a.txt"));
    ASSERT_EQ(0, symlink("outside.txt", "dangling.txt"));
    EXPECT_FALSE(writeNewFile("dangling.txt", "x")) << "a dangling link is not free";
    EXPECT_FALSE(dir.exists("outside.txt")) << "the link's target was created";
    ASSERT_EQ(0, mkdir("folder", 0700));
    EXPECT_FALSE(writeNewFile("folder", "x"));
    EXPECT_EQ("Cannot create file \"" + dir.file("missing/b.txt") + "\". No such file or directory",
              createErrorOf([] { writeNewFile("missing/b.txt", "x"); }));
}

TEST(OutputFileTest, AReplacedFileIsWholeAndALinkIsReplacedNotFollowed) {
    TempDir dir(true);
    replaceFileAtomically("out.txt", "first\r\n");
    replaceFileAtomically("out.txt", "second\r\n");
    EXPECT_EQ("second\r\n", dir.read("out.txt"));

    dir.write("target.txt", "the user's file");
    ASSERT_EQ(0, symlink("target.txt", "linked.txt"));
    replaceFileAtomically("linked.txt", "results");
    EXPECT_EQ("the user's file", dir.read("target.txt"));
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("linked.txt")));
    EXPECT_EQ("results", dir.read("linked.txt"));

    // A link to a device that fails every write no longer decides the outcome.
    ASSERT_EQ(0, symlink("/dev/full", "full.txt"));
    replaceFileAtomically("full.txt", "results");
    EXPECT_EQ("results", dir.read("full.txt"));
    EXPECT_EQ((std::vector<std::string>{"full.txt", "linked.txt", "out.txt", "target.txt"}), entries(dir))
        << "no temporary file is left";
}

TEST(OutputFileTest, AFailedReplacementKeepsTheOldFileAndLeavesNoTemporary) {
    TempDir dir(true);
    dir.write("big.txt", "old");
    // A file-size limit makes the write fail part of the way through.
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limited));
    const std::string message =
        createErrorOf([] { replaceFileAtomically("big.txt", std::string(100000, 'x')); });
    const std::string newMessage = createErrorOf([] { writeNewFile("new.txt", std::string(100000, 'x')); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(0u, message.find("Cannot create file \"" + dir.file("big.txt") + "\". "));
    EXPECT_EQ(0u, newMessage.find("Cannot create file \"" + dir.file("new.txt") + "\". "));
    EXPECT_EQ("old", dir.read("big.txt"));
    EXPECT_EQ(std::vector<std::string>{"big.txt"}, entries(dir));
}

TEST(OutputFileTest, AnUnwritableNameIsFoundBeforeAnyWork) {
    TempDir dir(true);
    ASSERT_EQ(0, mkdir("results.json", 0700));
    EXPECT_EQ("Cannot create file \"" + dir.file("results.json") + "\". Is a directory",
              createErrorOf([] { checkReplaceable("results.json"); }));
    EXPECT_EQ("Cannot create file \"" + dir.file("absent/r.csv") + "\". No such file or directory",
              createErrorOf([] { checkReplaceable("absent/r.csv"); }));
    checkReplaceable("fine.csv");
    EXPECT_EQ(std::vector<std::string>{"results.json"}, entries(dir)) << "the check leaves nothing behind";
}

}  // namespace
