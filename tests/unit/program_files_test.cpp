// Program files as tests: folders in name order, the language from the
// headers, and every bad name refused with one line and exit code 2.
#include "app/programs/program_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/errors.h"
#include "bench/tables.h"
#include "tests/support/console_capture.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string arbText = "!!ARBfp1.0\nMOV result.color, fragment.texcoord[0];\nEND\n";
const std::string fp1Text = "!!FP1.0\nMOVR o[COLR], f[TEX0];\nEND\n";

RunOptions programs(const std::vector<std::string>& paths) {
    RunOptions options;
    for (const std::string& path : paths) options.programs.push_back({path.empty(), path});
    return options;
}

class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories("folder/sub"); }

    // The one line a refusal writes, after checking that it stopped with
    // exit code 2, wrote nothing else and left the settings alone.
    std::string refusal(const RunOptions& options) {
        ConsoleCapture console;
        BenchSettings settings = settings_;
        try {
            takeProgramFiles(options, settings);
            ADD_FAILURE() << "accepted";
        } catch (const OrderlyStop& stop) {
            EXPECT_EQ(exitcode::badOption, stop.exitCode);
        }
        EXPECT_EQ("", console.text());
        EXPECT_EQ(settings_.fragmentProgram, settings.fragmentProgram);
        return console.errorText();
    }

    TempDir directory_{true};
    BenchSettings settings_ = defaultBenchSettings;
};

TEST_F(ProgramFilesTest, AFolderGivesItsFilesInNameOrderAndTheHeadersSetTheLanguage) {
    directory_.write("folder/b.txt", "!!ARBfp1.0\nOPTION NV_fragment_program2;\nMOV result.color, 1;\nEND\n");
    directory_.write("folder/A.txt", "\xEF\xBB\xBF" + arbText);
    directory_.write("folder/.hidden", "not a program");
    directory_.write("folder/sub/c.txt", arbText);
    directory_.write("one\ttwo.txt", arbText);
    settings_.fragmentProgram = FragmentProfile::FP2;
    const std::vector<ProgramFile> files = takeProgramFiles(programs({"one\ttwo.txt", "folder"}), settings_);
    ASSERT_EQ(3u, files.size());
    EXPECT_EQ("one\\x09two.txt", files[0].label) << "a tab would break the result line";
    EXPECT_EQ("A.txt", files[1].label) << "byte order: capitals first";
    EXPECT_EQ("folder/A.txt", files[1].path);
    EXPECT_EQ("!!ARBfp1.0", files[1].source.at(0)) << "the byte-order mark is dropped";
    EXPECT_EQ("b.txt", files[2].label);
    EXPECT_EQ(2, files[2].counted.nvOption);
    EXPECT_EQ(FragmentProfile::ARB, settings_.fragmentProgram) << "the header, not -f";
    EXPECT_EQ(2, settings_.nvOption) << "the driver must run the file that asks for the option";
}

TEST_F(ProgramFilesTest, TheSuiteIsTheBundledFolderOfTheLanguageMinusFChose) {
    EXPECT_EQ("bench/suite/ARB", suiteFolder(FragmentProfile::ARB));
    EXPECT_EQ("", suiteFolder(FragmentProfile::FP4));
    std::filesystem::create_directories("bench/suite/FP1");
    directory_.write("bench/suite/FP1/x.txt", fp1Text);
    settings_.fragmentProgram = FragmentProfile::FP1;
    const std::vector<ProgramFile> files = takeProgramFiles(programs({""}), settings_);
    ASSERT_EQ(1u, files.size());
    EXPECT_EQ("x.txt", files[0].label);
    EXPECT_EQ(FragmentProfile::FP1, settings_.fragmentProgram);
}

TEST_F(ProgramFilesTest, EachBadNameOrMixIsRefusedWithOneLine) {
    directory_.write("vp.txt", "!!ARBvp1.0\nEND\n");
    directory_.write("empty.txt", "");
    directory_.write("a.txt", arbText);
    directory_.write("fp1.txt", fp1Text);
    directory_.write("folder/.hidden", arbText);
    ASSERT_EQ(0, mkfifo("fifo", 0600));
    const std::string headers = ", not !!ARBfp1.0, !!FP1.0, !!FP2.0 or !!NVfp4.0\r\n";
    EXPECT_EQ("--program nope.txt: Cannot open file \"" + fullPathForm("nope.txt") +
                  "\". No such file or directory\r\n",
              refusal(programs({"nope.txt"})));
    EXPECT_EQ("--program fifo: Cannot open file \"" + fullPathForm("fifo") + "\". Not a regular file\r\n",
              refusal(programs({"fifo"})));
    EXPECT_EQ("--program vp.txt: the text starts \"!!ARBvp1.0\"" + headers, refusal(programs({"vp.txt"})));
    EXPECT_EQ("--program empty.txt: the text starts \"\"" + headers, refusal(programs({"empty.txt"})));
    EXPECT_EQ("--program folder: the folder holds no program files\r\n", refusal(programs({"folder"})))
        << "hidden files and subfolders are no program files";
    EXPECT_EQ(
        "--program fp1.txt: a !!FP1.0 program, and a.txt is !!ARBfp1.0; one run takes programs of one "
        "language\r\n",
        refusal(programs({"a.txt", "fp1.txt"})));

    settings_.fragmentProgram = FragmentProfile::FP4;
    EXPECT_EQ(
        "--suite: korvex bundles no !!NVfp4.0 programs, only !!ARBfp1.0, !!FP1.0 and !!FP2.0 ones (-f "
        "arb, fp1, fp2)\r\n",
        refusal(programs({""})));
    settings_ = defaultBenchSettings;
    settings_.multipleOutputs = 1;
    EXPECT_EQ("--suite runs program files as the tests; it does not combine with -a, -V or -M\r\n",
              refusal(programs({"", "a.txt"})));
}

TEST_F(ProgramFilesTest, AnUnreadableFileIsRefusedWithTheSystemsReason) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    directory_.write("secret.txt", arbText);
    ASSERT_EQ(0, chmod("secret.txt", 0));
    EXPECT_EQ("--program secret.txt: Cannot open file \"" + fullPathForm("secret.txt") +
                  "\". Permission denied\r\n",
              refusal(programs({"secret.txt"})));
}

}  // namespace
