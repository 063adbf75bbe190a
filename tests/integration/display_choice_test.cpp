// The options that choose the window system and the GPU, on the real binary:
// a request the machine cannot meet stops it before any window with one line
// that names the option, and --list-devices answers without running anything.
#include <gtest/gtest.h>

#include "tests/support/run_korvex.h"
#include "tests/support/temp_dir.h"

namespace {

KorvexRun runIn(const TempDir& dir, const std::vector<std::string>& args) {
    KorvexRunOptions options;
    options.workDir = dir.path();
    options.args = args;
    options.env = {{"DISPLAY", ""}};
    return runKorvex(options);
}

TEST(DisplayChoiceTest, ARequestThePlatformCannotMeetStopsBeforeAnyWindowWithOneLine) {
    TempDir dir;
    copyBenchmarkFiles(dir.path());
    const struct {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{"-I", "1", "--platform", "wgl"}, "--platform takes egl or glx, not \"wgl\""},
        {{"--platform", "glx", "--device", "0"},
         "--device chooses an EGL device; with --platform glx the X server's DISPLAY (and DRI_PRIME) choose "
         "the GPU"},
    };
    for (const auto& c : cases) {
        const KorvexRun run = runIn(dir, c.args);
        EXPECT_EQ(2, run.exitCode) << c.args.back();
        EXPECT_EQ("", run.out) << "nothing ran for " << c.args.back();
        EXPECT_EQ(std::vector<std::string>{c.line}, crlfLines(run.err));
    }
    // The line goes on with the devices there are.
    const KorvexRun missing = runIn(dir, {"--device", "99"});
    EXPECT_EQ(2, missing.exitCode);
    EXPECT_EQ("", missing.out);
    EXPECT_EQ(0u, missing.err.rfind("--device 99: no such EGL device; there are 0 ", 0)) << missing.err;
}

TEST(DisplayChoiceTest, ListDevicesPrintsEachEglDeviceAndExitsZero) {
    TempDir dir;
    const KorvexRun run = runIn(dir, {"--list-devices"});
    EXPECT_EQ(0, run.exitCode);
    // Mesa's software device: no DRM node, the driver named by EGL.
    EXPECT_EQ(std::vector<std::string>{"0 (no DRM node) swrast"}, crlfLines(run.out));
}

TEST(DisplayChoiceTest, GlxWithoutADisplaySaysWhyAndStops) {
    TempDir dir;
    copyBenchmarkFiles(dir.path());
    const KorvexRun run = runIn(dir, {"--platform", "glx", "-I", "1"});
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ(std::vector<std::string>{"cannot open display \"\" (DISPLAY is not set)"}, crlfLines(run.out));
}

}  // namespace
