// fasm_1.txt as users may hand it over: missing, empty, binary, huge, with
// other line breaks, not a file at all, or holding a program that the driver
// rejects.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "bench/program_text.h"
#include "tests/integration/bad_input_run.h"

namespace {

namespace fs = std::filesystem;

std::string withLineBreaks(const std::string& text, const std::string& lineBreak) {
    std::string result;
    for (const std::string& line : splitProgramText(text)) result += line + lineBreak;
    return result;
}

TEST_F(BadInputRun, MissingProgramFileIsReportedBeforeAnythingIsWritten) {
    std::filesystem::remove(directory_.file("fasm_1.txt"));
    const std::set<std::string> before = entries();
    const KorvexRun result = run({"-I", "1", "-o", "b"});
    expectUnhandledError(result, "EFOpenError",
                         "Cannot open file \"" + fullPath("fasm_1.txt") + "\". No such file or directory.");
    EXPECT_EQ("", result.out);
    EXPECT_EQ(before, entries()) << "no results file and no program file";
}

// An empty text, or one that a NUL byte cuts off before its header, reaches
// the driver as an empty program, which it rejects like any other error.
TEST_F(BadInputRun, ProgramsTheDriverRejectsStopWithItsTextAndLeaveNoResults) {
    const std::string bundled = directory_.read("fasm_1.txt");
    std::string misspelt = bundled;
    misspelt.replace(misspelt.find("LRP result.color"), 3, "LPR");
    const std::pair<const char*, std::string> cases[] = {
        {"an empty file", ""},
        {"a NUL byte before the header", std::string(1, '\0') + bundled},
        {"a misspelt instruction", misspelt},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        directory_.write("fasm_1.txt", content);
        const std::set<std::string> before = entries();
        expectRejectedProgram(run(), driverErrors(programString(splitProgramText(content))));
        EXPECT_EQ(before, entries());
    }
}

// A Windows editor's byte-order mark would otherwise reach the driver before
// the header, which then fails to load.
TEST_F(BadInputRun, OtherLineBreaksALeadingByteOrderMarkAndBytesAfterANulRunAsTheProgramsLines) {
    const std::string bundled = directory_.read("fasm_1.txt");
    const std::pair<const char*, std::string> cases[] = {
        {"CR-only line breaks", withLineBreaks(bundled, "\r")},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF" + bundled},
        {"binary bytes after a NUL", bundled + std::string("\0\xff\r\x01\n\x80\r\nEND\0\0", 12)},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        directory_.write("fasm_1.txt", content);
        expectCompletedRun(run({"-I", "1", "-o", "d"}), directory_);
        EXPECT_EQ(withLineBreaks(bundled, "\r\n"), directory_.read("fasm_0000.txt"));
        std::filesystem::remove(directory_.file("fasm_0000.txt"));
    }
}

// The END line comes last, so a text cut short anywhere would be rejected.
TEST_F(BadInputRun, AFiftyMegabyteProgramReachesTheDriverWhole) {
    const std::string bundled = directory_.read("fasm_1.txt");
    const std::size_t headerEnd = bundled.find("\r\n") + 2;
    const std::string comment = "# " + std::string(76, 'x') + "\r\n";
    std::string huge = bundled.substr(0, headerEnd);
    huge.reserve((50u << 20) + bundled.size());
    while (huge.size() < (50u << 20)) huge += comment;
    huge += bundled.substr(headerEnd);
    directory_.write("fasm_1.txt", huge);
    expectCompletedRun(run(), directory_);
}

// A FIFO would block the open until a writer came, and a device can be
// endless: anything but a regular file is refused, the link followed first.
TEST_F(BadInputRun, InputsThatAreNotRegularFilesAreRefusedWithoutBlocking) {
    const std::string image = "Images/spectrum.tga";
    const struct {
        const char* name;
        std::string path;
        void (*make)(const std::string& path);
    } cases[] = {
        {"a FIFO as the program", "fasm_1.txt",
         [](const std::string& path) { ASSERT_EQ(0, mkfifo(path.c_str(), 0600)); }},
        {"a folder as the program", "fasm_1.txt",
         [](const std::string& path) { fs::create_directory(path); }},
        {"a FIFO as an image", image,
         [](const std::string& path) { ASSERT_EQ(0, mkfifo(path.c_str(), 0600)); }},
        {"a link to /dev/zero as an image", image,
         [](const std::string& path) { fs::create_symlink("/dev/zero", path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string saved = directory_.read(c.path);
        fs::remove(directory_.file(c.path));
        c.make(directory_.file(c.path));
        const std::set<std::string> before = entries();
        const KorvexRun result = run();
        expectUnhandledError(result, "EFOpenError",
                             "Cannot open file \"" + fullPath(c.path) + "\". Not a regular file.");
        EXPECT_EQ(before, entries());
        fs::remove(directory_.file(c.path));
        directory_.write(c.path, saved);
    }
}

TEST_F(BadInputRun, ClosedOrExhaustedInputCountsAsEnter) {
    KorvexRunOptions closed;
    closed.args = {"-I", "1"};
    closed.closedInput = true;
    KorvexRunOptions exhausted;
    exhausted.args = {"-I", "1"};
    for (const KorvexRunOptions& options : {closed, exhausted}) {
        SCOPED_TRACE(options.closedInput ? "closed" : "at end of file");
        expectCompletedRun(run(options), directory_);
    }
}

}  // namespace
