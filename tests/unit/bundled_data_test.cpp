#include "app/bundled_data.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/temp_dir.h"

namespace {

TEST(BundledDataTest, TheWorkingDirectoryComesFirstAndTheInstalledCopyOnlyFillsAGap) {
    TempDir installed;
    installed.write("fasm_1.txt", "installed");
    ASSERT_EQ(0, mkdir(installed.file("Images").c_str(), 0700));
    installed.write("Images/a.tga", "installed");
    TempDir work(true);
    work.write("fasm_1.txt", "here");

    EXPECT_EQ("fasm_1.txt", bundledDataFile("fasm_1.txt", installed.path()));
    EXPECT_EQ(installed.file("Images/a.tga"), bundledDataFile("Images/a.tga", installed.path()));
    // Missing in both places: the working directory's name, for its error report.
    EXPECT_EQ("Images/b.tga", bundledDataFile("Images/b.tga", installed.path()));
    // No installation beside the program.
    EXPECT_EQ("Images/a.tga", bundledDataFile("Images/a.tga", installed.file("missing")));
    EXPECT_EQ("Images/a.tga", bundledDataFile("Images/a.tga", ""));
}

TEST(BundledDataTest, ANameTakenInTheWorkingDirectoryIsNotReplacedByTheInstalledCopy) {
    TempDir installed;
    installed.write("fasm_1.txt", "installed");
    TempDir work(true);
    // A directory of that name gives today's error, not a silent switch.
    ASSERT_EQ(0, mkdir("fasm_1.txt", 0700));
    EXPECT_EQ("fasm_1.txt", bundledDataFile("fasm_1.txt", installed.path()));
}

TEST(BundledDataTest, AProgramRunFromTheBuildTreeFindsNoInstallation) {
    TempDir work(true);
    EXPECT_EQ("fasm_1.txt", bundledDataFile("fasm_1.txt"));
}

}  // namespace
