// korvex's own options: taken out before the classic ones read the rest, and
// every bad or missing value refused with one line and exit code 2.
#include "app/options/run_options.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "tests/support/console_capture.h"

namespace {

TEST(RunOptionsTest, TakesItsOptionsAndLeavesTheRestToTheClassicOnes) {
    const SplitParameters split =
        takeRunOptions({"--repeat", "5", "-a", "--min-time", "0.25", "--json", "/a", "--csv", "r.csv",
                        "--no-progress", "--net", "-I", "7", "--repeat", "$10", "--Repeat", "3"});
    EXPECT_EQ((std::vector<std::string>{"-a", "-I", "7", "--Repeat", "3"}), split.classic)
        << "a value like /a is no switch, and the names are matched exactly";
    const RunOptions& o = split.options;
    EXPECT_EQ(16, o.repeat) << "a later occurrence overrides, in the classic number forms";
    EXPECT_EQ(0.25, o.minTimeS);
    EXPECT_EQ("/a", o.json);
    EXPECT_EQ("r.csv", o.csv);
    EXPECT_FALSE(o.progress);
    EXPECT_TRUE(o.net);

    const RunOptions precise =
        takeRunOptions({"--precision", "0.5", "--max-time", "86400", "--interleave"}).options;
    EXPECT_EQ(0.5, precise.precisionPct);
    EXPECT_EQ(86400.0, precise.maxTimeS);
    EXPECT_TRUE(precise.interleave);

    const RunOptions defaults = takeRunOptions({"-I", "7"}).options;
    EXPECT_EQ(1, defaults.repeat);
    EXPECT_EQ(0.0, defaults.minTimeS);
    EXPECT_TRUE(defaults.progress);
    EXPECT_FALSE(defaults.net);
    EXPECT_EQ(platform::WindowSystem::automatic, defaults.display.windowSystem);
    EXPECT_EQ(-1, defaults.display.device) << "the first device";
    EXPECT_FALSE(defaults.listDevices);

    const RunOptions display =
        takeRunOptions({"--platform", "glx", "--device", "12", "--platform", "egl", "--list-devices"})
            .options;
    EXPECT_EQ(platform::WindowSystem::egl, display.display.windowSystem);
    EXPECT_EQ(12, display.display.device);
    EXPECT_TRUE(display.listDevices);
}

TEST(RunOptionsTest, ProgramFilesKeepTheirOrderAndTheWorkTakesFourWholeNumbers) {
    const RunOptions o = takeRunOptions({"--program", "b", "--suite", "--work", "0,1000000,7,16"}).options;
    ASSERT_EQ(2u, o.programs.size());
    EXPECT_TRUE(!o.programs[0].suite && o.programs[0].path == "b" && o.programs[1].suite);
    ASSERT_TRUE(o.work);
    EXPECT_EQ(1000000, o.work->flops);
    EXPECT_EQ(16, o.work->bytesWritten);
}

struct Refusal {
    std::vector<std::string> parameters;
    std::string line;
};

TEST(RunOptionsTest, ABadOrMissingValueStopsWithOneLineNamingTheOptionAndWhatItTakes) {
    const std::string repeat = "--repeat takes a whole number from 1 to 1000";
    const std::string minTime =
        "--min-time takes seconds above 0 up to 3600, with \".\" as the decimal point";
    const std::string work =
        "--work takes INSTRUCTIONS,FLOPS,TEXELS,BYTES: four whole numbers from 0 to 1000000";
    const std::string precision =
        "--precision takes a percentage above 0 up to 100, with \".\" as the decimal point";
    const std::string maxTime =
        "--max-time takes seconds above 0 up to 86400, with \".\" as the decimal point";
    const std::string device = "--device takes a device index from --list-devices (0, 1, ...)";
    const Refusal refusals[] = {
        {{"--repeat", "0"}, repeat + ", not \"0\""},
        {{"--repeat", "1001"}, repeat + ", not \"1001\""},
        {{"--repeat", "abc"}, repeat + ", not \"abc\""},
        {{"-a", "--repeat"}, repeat + ", and no value follows it"},
        {{"--min-time", "0,5"}, minTime + ", not \"0,5\""},
        {{"--min-time", "0"}, minTime + ", not \"0\""},
        {{"--min-time", "-1"}, minTime + ", not \"-1\""},
        {{"--min-time", "nan"}, minTime + ", not \"nan\""},
        {{"--min-time", "inf"}, minTime + ", not \"inf\""},
        {{"--min-time", "3600.5"}, minTime + ", not \"3600.5\""},
        {{"--min-time"}, minTime + ", and no value follows it"},
        {{"--json", ""}, "--json takes a file name, not \"\""},
        {{"--json", "--csv", "r.csv"}, "--json takes a file name, and no value follows it"},
        {{"--csv"}, "--csv takes a file name, and no value follows it"},
        {{"--repeat", "1\r\n2"}, repeat + ", not \"1\\x0D\\x0A2\""},
        {{"--program"}, "--program takes a program file or a folder of them, and no value follows it"},
        {{"--suite", "--work", "1,2,3"}, work + ", not \"1,2,3\""},
        {{"--suite", "--work", "1,-2,3,4"}, work + ", not \"1,-2,3,4\""},
        {{"--suite", "--work", "1,2,3,1000001"}, work + ", not \"1,2,3,1000001\""},
        {{"--suite", "--work", "$10,2,3,4"}, work + ", not \"$10,2,3,4\""},
        {{"--work", "1,2,3,4"},
         "--work gives the work of program files, and neither --program nor --suite names any"},
        {{"--precision", "100.5"}, precision + ", not \"100.5\""},
        {{"--precision", "--interleave"}, precision + ", and no value follows it"},
        {{"--precision", "1", "--max-time", "0"}, maxTime + ", not \"0\""},
        {{"--max-time", "60"}, "--max-time limits the sections of --precision, and --precision is not given"},
        {{"--platform", "EGL"}, "--platform takes egl or glx, not \"EGL\""},
        {{"-I", "1", "--platform"}, "--platform takes egl or glx, and no value follows it"},
        {{"--device", "-1"}, device + ", not \"-1\""},
        {{"--device", "1234567"}, device + ", not \"1234567\""},
        {{"--device", "--list-devices"}, device + ", and no value follows it"},
    };
    for (const Refusal& refusal : refusals) {
        ConsoleCapture console;
        try {
            takeRunOptions(refusal.parameters);
            ADD_FAILURE() << refusal.line << ": accepted";
        } catch (const OrderlyStop& stop) {
            EXPECT_EQ(exitcode::badOption, stop.exitCode) << refusal.line;
        }
        EXPECT_EQ(refusal.line + "\r\n", console.errorText());
        EXPECT_EQ("", console.text()) << "standard output stays for results";
    }
}

}  // namespace
