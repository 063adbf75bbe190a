// Program files as tests: folders in name order, the language from the
// headers, and every bad name refused with one line and exit code 2.
#include "app/programs/program_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/errors.h"
#include "bench/tables.h"
#include "tests/support/console_capture.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string arbText = "!!ARBfp1.0\nMOV result.color, fragment.texcoord[0];\nEND\n";

// Paths to read; "" stands for --suite.
RunOptions programs(const std::vector<std::string>& paths) {
    RunOptions options;
    for (const std::string& path : paths) options.programs.push_back({path.empty(), path});
    return options;
}

TEST(ProgramFilesTest, FoldersGiveTheirFilesInNameOrderAndTheHeadersSetTheLanguage) {
    TempDir directory(true);
    std::filesystem::create_directories("folder/sub");
    std::filesystem::create_directories("bench/suite/FP1");
    directory.write("folder/b.txt", "!!ARBfp1.0\nOPTION NV_fragment_program2;\nMOV result.color, 1;\nEND\n");
    directory.write("folder/A.txt", "\xEF\xBB\xBF" + arbText);
    directory.write("folder/.hidden", "not a program");
    directory.write("folder/sub/c.txt", arbText);
    directory.write("one\ttwo.txt", arbText);
    directory.write("bench/suite/FP1/x.txt", "!!FP1.0\nMOVR o[COLR], f[TEX0];\nEND\n");
    BenchSettings settings = defaultBenchSettings;
    settings.fragmentProgram = FragmentProfile::FP2;
    const std::vector<ProgramFile> files = takeProgramFiles(programs({"one\ttwo.txt", "folder"}), settings);
    ASSERT_EQ(3u, files.size());
    EXPECT_EQ("one\\x09two.txt", files[0].label) << "a tab would break the result line";
    EXPECT_EQ("A.txt", files[1].label) << "byte order: capitals first";
    EXPECT_EQ("!!ARBfp1.0", files[1].source.at(0)) << "the byte-order mark is dropped";
    EXPECT_EQ("b.txt", files[2].label);
    EXPECT_EQ(FragmentProfile::ARB, settings.fragmentProgram) << "the header, not -f";
    EXPECT_EQ(2, settings.nvOption) << "the option one file asks for";

    settings.fragmentProgram = FragmentProfile::FP1;
    const std::vector<ProgramFile> suite = takeProgramFiles(programs({""}), settings);
    ASSERT_EQ(1u, suite.size()) << "--suite reads the folder of the -f language";
    EXPECT_EQ("x.txt", suite[0].label);
}

// The one line a refusal writes; it stops with exit code 2, writes nothing
// else and leaves the language alone.
std::string refusal(const std::vector<std::string>& paths, BenchSettings settings = defaultBenchSettings) {
    ConsoleCapture console;
    const std::uint8_t language = settings.fragmentProgram;
    try {
        takeProgramFiles(programs(paths), settings);
        ADD_FAILURE() << "accepted";
    } catch (const OrderlyStop& stop) {
        EXPECT_EQ(exitcode::badOption, stop.exitCode);
    }
    EXPECT_EQ("", console.text());
    EXPECT_EQ(language, settings.fragmentProgram);
    return console.errorText();
}

TEST(ProgramFilesTest, EachBadNameOrMixIsRefusedWithOneLineBeforeAnythingOpens) {
    TempDir directory(true);
    std::filesystem::create_directories("folder/sub");
    directory.write("vp.txt", "!!ARBvp1.0\nEND\n");
    directory.write("empty.txt", "");
    directory.write("a.txt", arbText);
    directory.write("fp1.txt", "!!FP1.0\nEND\n");
    directory.write("folder/.hidden", arbText);
    ASSERT_EQ(0, mkfifo("fifo", 0600));
    const std::string headers = ", not !!ARBfp1.0, !!FP1.0, !!FP2.0 or !!NVfp4.0\r\n";
    EXPECT_EQ("--program nope.txt: Cannot open file \"" + fullPathForm("nope.txt") +
                  "\". No such file or directory\r\n",
              refusal({"nope.txt"}));
    EXPECT_EQ("--program fifo: Cannot open file \"" + fullPathForm("fifo") + "\". Not a regular file\r\n",
              refusal({"fifo"}));
    EXPECT_EQ("--program vp.txt: the text starts \"!!ARBvp1.0\"" + headers, refusal({"vp.txt"}));
    EXPECT_EQ("--program empty.txt: the text starts \"\"" + headers, refusal({"empty.txt"}));
    EXPECT_EQ("--program folder: the folder holds no program files\r\n", refusal({"folder"}));
    EXPECT_EQ(
        "--program fp1.txt: a !!FP1.0 program, and a.txt is !!ARBfp1.0; one run takes programs of one "
        "language\r\n",
        refusal({"a.txt", "fp1.txt"}));
    BenchSettings settings = defaultBenchSettings;
    settings.fragmentProgram = FragmentProfile::FP4;
    EXPECT_EQ(
        "--suite: korvex bundles no !!NVfp4.0 programs, only !!ARBfp1.0, !!FP1.0 and !!FP2.0 ones (-f arb, "
        "fp1, fp2)\r\n",
        refusal({""}, settings));
    settings.multipleOutputs = 1;
    EXPECT_EQ("--suite runs program files as the tests; it does not combine with -a, -V or -M\r\n",
              refusal({"", "a.txt"}, settings));
}

}  // namespace
