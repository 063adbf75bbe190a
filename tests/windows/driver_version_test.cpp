#include "platform/windows/driver_version.h"

#include <gtest/gtest.h>

#include "tests/windows/windows_test_paths.h"

namespace {

TEST(DriverVersionTest, ReadsEveryStringOfTheFirstTranslation) {
    const Tmarlune_getDriverVersion info(besideTestProgram("korvex_version_fixture.dll"));
    EXPECT_GT(info.VersionBlockSize, 0);
    EXPECT_EQ("Korvex Prueflabor", info.CompanyName);
    EXPECT_EQ("korvex version fixture", info.FileDescription);
    EXPECT_EQ("1.2.3.4", info.FileVersion);
    EXPECT_EQ("fixture", info.InternalName);
    EXPECT_EQ("none", info.LegalCopyright);
    EXPECT_EQ("korvex_version_fixture.dll", info.OriginalFilename);
    EXPECT_EQ("korvex tests", info.ProductName);
    EXPECT_EQ("1.2", info.ProductVersion);
    EXPECT_EQ("read through the first translation", info.Comments);
}

TEST(DriverVersionTest, MissingKeyLeavesOnlyItsStringEmpty) {
    const Tmarlune_getDriverVersion info(besideTestProgram("korvex_version_fixture.dll"));
    EXPECT_EQ("", info.LegalTrademarks);
    EXPECT_NE("", info.CompanyName);
}

TEST(DriverVersionTest, FilesWithoutVersionInformationGiveEmptyStrings) {
    // The test program carries no version resource; the other file is absent.
    for (const std::string& path :
         {besideTestProgram("korvex_windows_tests.exe"), besideTestProgram("absent.dll")}) {
        SCOPED_TRACE(path);
        const Tmarlune_getDriverVersion info(path);
        EXPECT_EQ(0, info.VersionBlockSize);
        EXPECT_EQ(nullptr, info.VersionBlock);
        for (const std::string* field : {&info.CompanyName, &info.FileDescription, &info.FileVersion,
                                         &info.OriginalFilename, &info.ProductVersion, &info.Comments})
            EXPECT_EQ("", *field);
    }
}

}  // namespace
