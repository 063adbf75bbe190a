#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <climits>

#include "base/errors.h"
#include "base/file_io.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ErrorReportTest, AddsAFullStopOnlyWhenMissing) {
    const int marker = 0;
    const std::string withStop = unhandledErrorReport("EFOpenError", "korvex", &marker, "Gone.");
    const std::string withoutStop = unhandledErrorReport("EFOpenError", "korvex", &marker, "Gone");
    EXPECT_EQ(withStop, withoutStop);
    EXPECT_EQ(0u, withStop.find("Exception EFOpenError in module korvex at "));
    EXPECT_EQ(".\r\nGone.\r\n", withStop.substr(withStop.size() - 10));
}

TEST(ErrorReportTest, KindsHaveTheirClassNames) {
    EXPECT_STREQ("EFOpenError", errorKindName(ErrorKind::fileOpen));
    EXPECT_STREQ("EFCreateError", errorKindName(ErrorKind::fileCreate));
    EXPECT_STREQ("EIntOverflow", errorKindName(ErrorKind::intOverflow));
    EXPECT_STREQ("EInOutError", errorKindName(ErrorKind::inOut));
    EXPECT_STREQ("Exception", errorKindName(ErrorKind::general));
}

TEST(CheckedArithmeticTest, OverflowRaisesAndEverythingElsePasses) {
    EXPECT_EQ(65535 * 32767, checkedMultiply(65535, 32767));
    EXPECT_THROW(checkedMultiply(65536, 32768), KorvexError);
    EXPECT_THROW(checkedMultiply(INT_MIN, -1), KorvexError);
    EXPECT_EQ(-5, checkedSubtract(5, 10));
    EXPECT_THROW(checkedSubtract(LLONG_MIN, 1), KorvexError);
}

TEST(FileIoTest, WritesReplaceAndReadBack) {
    TempDir dir(true);
    writeWholeFile("out.txt", "first\r\n");
    writeWholeFile("out.txt", "second\r\n");
    EXPECT_EQ("second\r\n", readWholeFile("out.txt"));
    EXPECT_TRUE(fileExists("out.txt"));
    EXPECT_FALSE(fileExists("absent.txt"));
}

TEST(FileIoTest, UncreatableFileRaisesTheCreateErrorWithItsFullPath) {
    TempDir dir(true);
    ASSERT_EQ(0, mkdir("sub", 0700));
    try {
        writeWholeFile("sub/nested/out.txt", "x");
        FAIL() << "no error raised";
    } catch (const KorvexError& error) {
        EXPECT_EQ(ErrorKind::fileCreate, error.kind());
        EXPECT_EQ("Cannot create file \"" + dir.file("sub/nested/out.txt") + "\". No such file or directory",
                  std::string(error.what()));
    }
}

TEST(FileIoTest, AWriteThatFailsHalfwayLeavesNoPartialFile) {
    TempDir dir(true);
    // A file-size limit makes the write fail part of the way through.
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limited));
    bool raised = false;
    try {
        writeWholeFile("big.txt", std::string(100000, 'x'));
    } catch (const KorvexError& error) {
        raised = error.kind() == ErrorKind::fileCreate;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(raised);
    EXPECT_FALSE(dir.exists("big.txt"));
}

}  // namespace
