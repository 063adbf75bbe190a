// Runs of program files (--program) with the real binary.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "tests/integration/bad_input_run.h"

namespace {

TEST_F(BadInputRun, ProgramFilesRunInTheOrderGivenWithTheirCountedFiguresAndABadOneStopsFirst) {
    std::filesystem::create_directory(directory_.file("mine"));
    directory_.write("mine/tex.txt",
                     "!!ARBfp1.0\nTEX result.color.xy, fragment.texcoord[0], texture[1], RECT;\nEND\n");
    directory_.write("mine/mul.txt", "!!ARBfp1.0\nMUL result.color, fragment.texcoord[0], 0.001;\nEND\n");
    const std::set<std::string> before = entries();
    const KorvexRun refused = run({"--program", "mine", "--program", "missing.txt", "--json", "out.json"});
    EXPECT_EQ(exitcode::badOption, refused.exitCode);
    EXPECT_EQ("--program missing.txt: Cannot open file \"" + fullPath("missing.txt") +
                  "\". No such file or directory\r\n",
              refused.err);
    EXPECT_EQ("", refused.out);
    EXPECT_EQ(before, entries());
    // A program file is an input of the run, which no output may replace.
    const KorvexRun collision = run({"--program", "mine", "--csv", "mine/../mine/mul.txt"});
    EXPECT_EQ(exitcode::badOption, collision.exitCode);
    EXPECT_EQ(
        "--csv \"mine/../mine/mul.txt\" names the same file as \"mine/mul.txt\", which the run reads\r\n",
        collision.err);
    EXPECT_EQ(before, entries());
    EXPECT_EQ('!', directory_.read("mine/mul.txt")[0]);

    const KorvexRun result = run({"--program", "fasm_1.txt", "--program", "mine", "-I", "1"});
    ASSERT_EQ(exitcode::success, result.exitCode) << result.err;
    const std::vector<std::string> lines = crlfLines(directory_.read("korvex_results.txt"));
    ASSERT_EQ(18u, lines.size());
    // The bundled program counted from its text, not with the Blur's figures.
    EXPECT_EQ(0u, lines[0].rfind("fasm_1.txt    9  44  5    512  768    1    ", 0)) << lines[0];
    EXPECT_EQ(0u, lines[6].rfind("mul.txt    1  4  0    512  768    1    ", 0)) << lines[6];
    EXPECT_EQ(0u, lines[12].rfind("tex.txt    1  0  1    512  768    1    ", 0)) << lines[12];
}

TEST_F(BadInputRun, AProgramFileTheDriverRefusesIsNamedAfterItsErrors) {
    directory_.write("typo.txt", "!!ARBfp1.0\nMUK result.color, fragment.color, 2;\nEND\n");
    const KorvexRun result = run({"--program", "fasm_1.txt", "--program", "typo.txt"});
    EXPECT_EQ(exitcode::programRejected, result.exitCode);
    const std::string errors = driverErrors("!!ARBfp1.0\r\nMUK result.color, fragment.color, 2;\r\nEND\r\n");
    EXPECT_EQ("Fragment program contains errors:\n\n" + errors + "\r\nThe refused program is typo.txt\r\n",
              result.out);
}

}  // namespace
