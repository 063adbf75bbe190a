#include "bench/program_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/errors.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ProgramTextTest, SplitsAtEveryKindOfLineBreak) {
    using Lines = ProgramSource;
    const std::pair<std::string, Lines> cases[] = {
        {"", Lines{}},
        {"a", Lines{"a"}},
        {"a\r\n", Lines{"a"}},
        {"a\r\nb", Lines{"a", "b"}},
        {"a\rb\r", Lines{"a", "b"}},
        {"a\nb\n", Lines{"a", "b"}},
        {"a\n\r", Lines{"a", ""}},
        {"a\r\r\nb", Lines{"a", "", "b"}},
        {"\r\n", Lines{""}},
        {"\n\n", Lines{"", ""}},
        {std::string("ab\0cd\nef", 8), Lines{"ab"}},
        {std::string("\0abc", 4), Lines{}},
        {"x\ty \x01\xff", Lines{"x\ty \x01\xff"}},
        // Byte-order marks go only where they lead the text.
        {"\xEF\xBB\xBF!!ARBfp1.0\nEND", Lines{"!!ARBfp1.0", "END"}},
        {"\xEF\xBB\xBF\xEF\xBB\xBF\r\n\xEF\xBB\xBF", Lines{"", "\xEF\xBB\xBF"}},
        {"\xEF\xBB!", Lines{"\xEF\xBB!"}},
        {"\xEF\xBB\xBF", Lines{}},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(expected, splitProgramText(bytes)) << bytes;
}

TEST(ProgramTextTest, ProgramStringEndsEveryLineInCrLf) {
    EXPECT_EQ("", programString({}));
    EXPECT_EQ("\r\n", programString({""}));
    EXPECT_EQ("!!ARBfp1.0\r\nEND\r\n", programString({"!!ARBfp1.0", "END"}));
    EXPECT_EQ(programString(splitProgramText("A\nB")), programString(splitProgramText("A\r\nB\r\n")));
    EXPECT_EQ("A\r\nB\r\n", programString(splitProgramText("A\rB")));
}

TEST(ProgramTextTest, SavedAndReloadedTextGivesTheSameString) {
    const std::string once =
        programString(splitProgramText("!!ARBfp1.0\nMOV result.color, fragment.color;\nEND"));
    EXPECT_EQ(once, programString(splitProgramText(once)));
}

TEST(ProgramTextTest, LoadReadsTheFileAndAMissingFileNamesItsFullPath) {
    TempDir dir(true);
    dir.write("fasm_1.txt", "!!ARBfp1.0\rEND");
    EXPECT_EQ((ProgramSource{"!!ARBfp1.0", "END"}), loadProgramText("fasm_1.txt"));
    try {
        loadProgramText("missing.txt");
        FAIL() << "no error raised";
    } catch (const KorvexError& error) {
        EXPECT_EQ(ErrorKind::fileOpen, error.kind());
        EXPECT_EQ("Cannot open file \"" + dir.file("missing.txt") + "\". No such file or directory",
                  std::string(error.what()));
    }
}

TEST(ProgramTextTest, ADirectoryCannotBeOpenedAsAProgram) {
    TempDir dir(true);
    ASSERT_EQ(0, mkdir("fasm_1.txt", 0700));
    EXPECT_THROW(loadProgramText("fasm_1.txt"), KorvexError);
}

}  // namespace
