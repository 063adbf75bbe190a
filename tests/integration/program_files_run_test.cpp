// Runs of program files (--program) with the real binary: the tests in the
// order given with their counted figures, a bad name refused before
// anything opens, and a refused text named.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "base/errors.h"
#include "tests/integration/bad_input_run.h"

namespace {

const std::string mulText = "!!ARBfp1.0\nMUL result.color, fragment.texcoord[0], 0.001;\nEND\n";
const std::string texText = "!!ARBfp1.0\nTEX result.color.xy, fragment.texcoord[0], texture[1], RECT;\nEND\n";

TEST_F(BadInputRun, ProgramFilesRunInTheOrderGivenWithTheirCountedFigures) {
    std::filesystem::create_directory(directory_.file("mine"));
    directory_.write("mine/tex.txt", texText);
    directory_.write("mine/mul.txt", mulText);
    const KorvexRun result = run({"--program", "fasm_1.txt", "--program", "mine", "-I", "1"});
    ASSERT_EQ(exitcode::success, result.exitCode) << result.err;
    EXPECT_EQ("", result.err);
    const std::string saved = directory_.read("korvex_results.txt");
    const std::vector<std::string> lines = crlfLines(saved);
    ASSERT_EQ(18u, lines.size());
    // The bundled program counted from its text, not with the Blur's figures.
    EXPECT_TRUE(
        std::regex_match(lines[0], std::regex(R"(fasm_1\.txt    9  44  5    512  768    1    \S+ ms)")))
        << lines[0];
    EXPECT_EQ(0u, lines[6].rfind("mul.txt    1  4  0    512  768    1    ", 0)) << lines[6];
    EXPECT_EQ(0u, lines[12].rfind("tex.txt    1  0  1    512  768    1    ", 0)) << lines[12];
    ASSERT_GE(result.out.size(), saved.size() + 2);
    EXPECT_EQ(saved + "\r\n", result.out.substr(result.out.size() - saved.size() - 2)) << "the last printout";
}

TEST_F(BadInputRun, ABadProgramFileStopsBeforeAnythingOpensOrIsWritten) {
    directory_.write("vertex.txt", "!!ARBvp1.0\nEND\n");
    const std::pair<std::string, std::string> cases[] = {
        {"missing.txt", "--program missing.txt: Cannot open file \"" + fullPath("missing.txt") +
                            "\". No such file or directory\r\n"},
        {"vertex.txt",
         "--program vertex.txt: the text starts \"!!ARBvp1.0\", not !!ARBfp1.0, !!FP1.0, !!FP2.0 or "
         "!!NVfp4.0\r\n"},
    };
    for (const auto& [name, line] : cases) {
        const std::set<std::string> before = entries();
        const KorvexRun result = run({"--program", "fasm_1.txt", "--program", name, "--json", "out.json"});
        EXPECT_EQ(exitcode::badOption, result.exitCode);
        EXPECT_EQ(line, result.err);
        EXPECT_EQ("", result.out);
        EXPECT_EQ(before, entries());
    }
}

TEST_F(BadInputRun, AProgramFileTheDriverRefusesIsNamedAfterItsErrors) {
    directory_.write("typo.txt", "!!ARBfp1.0\nMUK result.color, fragment.color, 2;\nEND\n");
    const std::set<std::string> before = entries();
    const KorvexRun result = run({"--program", "fasm_1.txt", "--program", "typo.txt"});
    EXPECT_EQ(exitcode::programRejected, result.exitCode);
    const std::string errors = driverErrors("!!ARBfp1.0\r\nMUK result.color, fragment.color, 2;\r\nEND\r\n");
    EXPECT_EQ("Fragment program contains errors:\n\n" + errors + "\r\nThe refused program is typo.txt\r\n",
              result.out);
    EXPECT_EQ(before, entries());
}

}  // namespace
