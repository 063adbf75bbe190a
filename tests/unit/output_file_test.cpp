#include "platform/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "base/errors.h"
#include "platform/temporary_file.h"
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
    EXPECT_EQ((std::vector<std::string>{"linked.txt", "out.txt", "target.txt"}), entries(dir))
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

// Pipes and devices: made in the test's own folder, never the real /dev.

bool isFifo(const char* name) {
    struct stat info {};
    return lstat(name, &info) == 0 && S_ISFIFO(info.st_mode);
}

bool isCharacterDevice(const char* name) {
    struct stat info {};
    return lstat(name, &info) == 0 && S_ISCHR(info.st_mode);
}

TEST(OutputFileTest, APipeOrALinkToOneGetsTheBytesWhereItIs) {
    TempDir dir(true);
    ASSERT_EQ(0, mkfifo("fifo", 0600));
    ASSERT_EQ(0, symlink("fifo", "linked"));
    // Open for reading and writing, the pipe has a reader and waits for nothing.
    const int pipe = open("fifo", O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipe, 0);
    checkReplaceable("fifo");
    checkReplaceable("linked");
    replaceFileAtomically("fifo", "first ");
    replaceFileAtomically("linked", "second");
    char received[64] = {};
    const ssize_t count = read(pipe, received, sizeof received);
    close(pipe);
    EXPECT_EQ("first second", std::string(received, count > 0 ? static_cast<std::size_t>(count) : 0));
    EXPECT_TRUE(isFifo("fifo"));
    EXPECT_TRUE(std::filesystem::is_symlink("linked"));
    EXPECT_EQ((std::vector<std::string>{"fifo", "linked"}), entries(dir));
}

TEST(OutputFileTest, ACharacterDeviceGetsTheBytesAndABlockDeviceIsRefused) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may make device nodes";
    TempDir dir(true);
    // The numbers of the system's null and full devices, and of a loop device.
    ASSERT_EQ(0, mknod("null", S_IFCHR | 0600, makedev(1, 3)));
    ASSERT_EQ(0, mknod("full", S_IFCHR | 0600, makedev(1, 7)));
    ASSERT_EQ(0, mknod("block", S_IFBLK | 0600, makedev(7, 0)));
    ASSERT_EQ(0, symlink("full", "linked"));
    checkReplaceable("null");
    replaceFileAtomically("null", "results");
    EXPECT_EQ("Cannot create file \"" + dir.file("linked") + "\". No space left on device",
              createErrorOf([] { replaceFileAtomically("linked", "results"); }));
    const std::string refused =
        "Cannot create file \"" + dir.file("block") + "\". Not a regular file, a pipe or a character device";
    EXPECT_EQ(refused, createErrorOf([] { checkReplaceable("block"); }));
    EXPECT_EQ(refused, createErrorOf([] { replaceFileAtomically("block", "results"); }));
    EXPECT_TRUE(isCharacterDevice("null"));
    EXPECT_TRUE(isCharacterDevice("full"));
    struct stat block {};
    EXPECT_TRUE(lstat("block", &block) == 0 && S_ISBLK(block.st_mode));
    EXPECT_EQ((std::vector<std::string>{"block", "full", "linked", "null"}), entries(dir));
}

// The temporary file: a name that fits beside any valid one, and never left.

TEST(OutputFileTest, TheLongestValidNameIsReplacedAndATerminatedRunLeavesNoTemporary) {
    TempDir dir(true);
    const std::string longest(255, 'n');
    checkReplaceable(longest);
    replaceFileAtomically(longest, "whole");
    EXPECT_EQ("whole", dir.read(longest));
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        EXPECT_EXIT(
            {
                TemporaryFile temporary("out.json");
                std::raise(signalNumber);
            },
            ::testing::KilledBySignal(signalNumber), "");
    }
    EXPECT_EQ(std::vector<std::string>{longest}, entries(dir));
    struct sigaction action {};
    sigaction(SIGTERM, nullptr, &action);
    EXPECT_EQ(SIG_DFL, action.sa_handler) << "the default action is back once the temporary is gone";
}

TEST(OutputFileTest, OneFailedOutputStopsNoOtherAndEveryFailureIsNamed) {
    TempDir dir(true);
    ASSERT_EQ(0, mkdir("folder.json", 0700));
    EXPECT_EQ(
        "Cannot create file \"" + dir.file("folder.json") + "\". Is a directory.\r\n" +
            "Cannot create file \"" + dir.file("missing/run.csv") + "\". No such file or directory",
        createErrorOf([] {
            replaceFilesAtomically(
                {{"first.txt", "1"}, {"folder.json", "2"}, {"missing/run.csv", "3"}, {"last.txt", "4"}});
        }));
    EXPECT_EQ("1", dir.read("first.txt"));
    EXPECT_EQ("4", dir.read("last.txt"));
    EXPECT_EQ((std::vector<std::string>{"first.txt", "folder.json", "last.txt"}), entries(dir));
}

TEST(OutputFileTest, NamesAreComparedAsFiles) {
    TempDir dir(true);
    dir.write("a", "x");
    ASSERT_EQ(0, mkdir("sub", 0700));
    ASSERT_EQ(0, symlink("a", "soft"));
    ASSERT_EQ(0, link("a", "hard"));
    const std::string full = dir.file("a");
    for (const std::string& same :
         {std::string("./a"), std::string("sub/../a"), std::string("soft"), std::string("hard"), full})
        EXPECT_TRUE(sameFile("a", same)) << same;
    EXPECT_TRUE(sameFile("free", "sub/../free")) << "a free name, by its folder";
    EXPECT_FALSE(sameFile("a", "sub/a"));
    EXPECT_FALSE(sameFile("free", "other"));
    EXPECT_FALSE(sameFile("absent/x", "absent/x")) << "no folder, nothing to compare";
}

}  // namespace
