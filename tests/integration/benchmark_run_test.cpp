// The real benchmark on this machine's GL (Mesa's llvmpipe here), run in a
// directory that holds the images and fasm_1.txt. Nothing here asserts on
// how fast it ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "tests/support/run_korvex.h"
#include "tests/support/temp_dir.h"

namespace {

class BenchmarkRun : public ::testing::Test {
protected:
    void SetUp() override { copyBenchmarkFiles(directory_.path()); }

    KorvexRun run(const std::vector<std::string>& args,
                  const std::vector<std::pair<std::string, std::string>>& env = {}) {
        KorvexRunOptions options;
        options.workDir = directory_.path();
        options.args = args;
        options.env = env;
        options.input = "\n";
        return runKorvex(options);
    }

    TempDir directory_;
};

bool matches(const std::string& line, const std::string& pattern) {
    return std::regex_match(line, std::regex(pattern));
}

const std::string fixed4 = R"(\d+\.\d{4})";

// The six lines of one blur block with `iterations`, in prefix `letter`.
void expectBlurBlock(const std::vector<std::string>& lines, std::size_t first, int iterations,
                     const std::string& letter) {
    ASSERT_GE(lines.size(), first + 6);
    EXPECT_PRED2(matches, lines[first],
                 "Blur    9  73  5    512  768    " + std::to_string(iterations) + "    " + fixed4 + " ms");
    EXPECT_PRED2(matches, lines[first + 1], fixed4 + " " + letter + "Instr/sec");
    EXPECT_PRED2(matches, lines[first + 2], fixed4 + " " + letter + "Pixel/sec");
    EXPECT_PRED2(matches, lines[first + 3], fixed4 + " " + letter + "Flops/sec");
    EXPECT_PRED2(matches, lines[first + 4], fixed4 + " " + letter + "Texel/sec");
    EXPECT_PRED2(matches, lines[first + 5], fixed4 + " GB/sec");
}

TEST_F(BenchmarkRun, TheDefaultRunPrintsOneBlockAndSavesTheSameLines) {
    const KorvexRun result = run({"-I", "5"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = crlfLines(result.out);
    ASSERT_EQ(lines.size(), 7u) << result.out;
    expectBlurBlock(lines, 0, 5, "G");
    EXPECT_EQ(lines[6], "") << "every fragment was shaded, so no warning";
    EXPECT_EQ(result.out, directory_.read("korvex_results.txt") + "\r\n");
}

// The measurement options leave the standard output as it is, but for the
// spread line that several sections add after the block; --net means
// nothing to the single test.
TEST_F(BenchmarkRun, MeasurementOptionsAddOnlyTheSpreadLineOfRepeatedSections) {
    const KorvexRun plain =
        run({"-I", "2", "--repeat", "1", "--no-progress", "--net", "--json", "r.json", "--csv", "r.csv"});
    std::vector<std::string> lines = crlfLines(plain.out);
    ASSERT_EQ(lines.size(), 7u) << plain.out;
    expectBlurBlock(lines, 0, 2, "G");
    EXPECT_EQ(plain.err, "");

    const KorvexRun repeated = run({"-I", "2", "--repeat", "3"});
    lines = crlfLines(repeated.out);
    ASSERT_EQ(lines.size(), 8u) << repeated.out;
    expectBlurBlock(lines, 0, 2, "G");
    std::smatch median;
    ASSERT_TRUE(std::regex_match(lines[6], median,
                                 std::regex("Spread: min " + fixed4 + " ms, median (" + fixed4 +
                                            ") ms, max " + fixed4 + " ms over 3 runs")));
    EXPECT_NE(std::string::npos, lines[0].find(median[1].str() + " ms")) << "the block's time is the median";
    EXPECT_EQ(repeated.out, directory_.read("korvex_results.txt") + "\r\n") << "saved with the block";
}

// The progress line on a terminal of 20 and of 80 columns. A rewrite that
// reached the last column would wrap, and erasing it would leave a row.
TEST_F(BenchmarkRun, TheProgressLineStaysShortOfTheTerminalsWidth) {
    for (const int columns : {20, 80}) {
        SCOPED_TRACE(columns);
        KorvexRunOptions options;
        options.workDir = directory_.path();
        options.args = {"-I", "20", "--repeat", "5"};
        options.input = "\n";
        options.terminalColumns = columns;
        const KorvexRun result = runKorvex(options);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(0u, result.err.find("\rTest 1 of 1")) << "the line was shown";
        EXPECT_EQ(std::string::npos, result.err.find('\n')) << "it never takes a row of its own";
        std::size_t longest = 0;
        for (std::size_t start = 0, end = 0; start < result.err.size(); start = end + 1) {
            end = std::min(result.err.find('\r', start), result.err.size());
            longest = std::max(longest, end - start);
        }
        EXPECT_LT(longest, static_cast<std::size_t>(columns)) << result.err;
        EXPECT_EQ('\r', result.err.back()) << "erased, the cursor back at the margin";
        expectBlurBlock(crlfLines(result.out), 0, 20, "G");
    }
}

TEST_F(BenchmarkRun, EndOfInputCountsAsEnter) {
    KorvexRunOptions options;
    options.workDir = directory_.path();
    options.args = {"-I", "2"};
    options.closedInput = true;
    EXPECT_EQ(runKorvex(options).exitCode, 0);
    EXPECT_TRUE(directory_.exists("korvex_results.txt"));
}

TEST_F(BenchmarkRun, KiloPrefixRatesTheThreeIterations) {
    const KorvexRun result = run({"-I", "3", "-r", "k"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    expectBlurBlock(crlfLines(result.out), 0, 3, "K");
}

TEST_F(BenchmarkRun, GpuIdPrintsTheReportBeforeTheResults) {
    const KorvexRun plain = run({"-g", "-I", "2"});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    const std::vector<std::string> lines = crlfLines(plain.out);
    ASSERT_EQ(lines.size(), 23u + 7u);
    EXPECT_PRED2(matches, lines[0], "GL_RENDERER           : .+");
    EXPECT_PRED2(matches, lines[2], "GL_VERSION            : .+");
    EXPECT_PRED2(matches, lines[3], "Driver Name           : .+");
    EXPECT_EQ(lines[7], "ARB_fragment_program");
    EXPECT_PRED2(matches, lines[8], "ALU Instructions      : \\d+ \\[ ABS ADD .* SUB XPD \\]");
    EXPECT_PRED2(matches, lines[18], "Texture Size          : (\\d+) x \\1");
    EXPECT_PRED2(matches, lines[21], "Renderbuffer Size     : (\\d+) x \\1");
    EXPECT_EQ(lines[22], "");
    expectBlurBlock(lines, 23, 2, "G");

    const KorvexRun extensions = run({"-g", "e", "-I", "2"});
    const std::vector<std::string> withList = crlfLines(extensions.out);
    ASSERT_EQ(withList.size(), 24u + 7u);
    EXPECT_PRED2(matches, withList[3], "GL_EXTENSIONS         : .*GL_ARB_fragment_program.*");
    EXPECT_EQ(withList[4].substr(0, 24), "Driver Name           : ");
}

TEST_F(BenchmarkRun, AnNvidiaVendorAddsTheNvBlockButNotTheNv2One) {
    const KorvexRun result = run({"-g", "-I", "2"}, {{"force_gl_vendor", "NVIDIA Corporation"}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = crlfLines(result.out);
    ASSERT_GE(lines.size(), 28u);
    EXPECT_EQ(lines[1], "GL_VENDOR             : NVIDIA Corporation");
    EXPECT_EQ(lines[22], "NV_fragment_program");
    EXPECT_EQ(lines[23],
              "ALU Instructions      : [ ADD COS DP3 DP4 DST EX2 FLR FRC LG2 LIT LRP MAD MAX MIN MOV MUL POW "
              "RCP RSQ SIN SUB RFL ]");
    EXPECT_PRED2(matches, lines[24], "Local Parameters      : \\d+");
    EXPECT_EQ(lines[27], "");
    EXPECT_EQ(result.out.find("NV_fragment_program2"), std::string::npos);
}

TEST_F(BenchmarkRun, DiskOutputTakesTheLowestFreeNumbers) {
    directory_.write("fasm_0000.txt", "kept");
    directory_.write("fasm_0002.txt", "kept");
    const std::string program = directory_.read("fasm_1.txt");
    for (int runs = 0; runs < 2; ++runs) {
        const KorvexRun result = run({"-o", "b", "-I", "2"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out.substr(0, program.size() + 2), program + "\r\n")
            << "the text, then an empty line";
    }
    EXPECT_EQ(directory_.read("fasm_0001.txt"), program);
    EXPECT_EQ(directory_.read("fasm_0003.txt"), program);
    EXPECT_EQ(directory_.read("fasm_0000.txt"), "kept");
    EXPECT_FALSE(directory_.exists("fasm_0004.txt"));
}

TEST_F(BenchmarkRun, MultipleOutputsRunTheLatencyTestInstead) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-M", "-I", "3"}, std::vector<std::string>{"-M", "2", "-I", "3"}}) {
        const KorvexRun result = run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = crlfLines(result.out);
        ASSERT_EQ(lines.size(), 3u) << result.out;
        EXPECT_EQ(lines[0], "1");
        EXPECT_PRED2(matches, lines[1], fixed4 + " ms latency");
        EXPECT_PRED2(matches, lines[2], fixed4 + " GB/sec");
        EXPECT_FALSE(directory_.exists("korvex_results.txt"));
    }
}

struct StopCase {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> env;
    std::string firstLine;
    int exitCode;
};

void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

class OrderlyStops : public BenchmarkRun, public ::testing::WithParamInterface<StopCase> {};

TEST_P(OrderlyStops, PrintTheirLineAndExitWithTheirCode) {
    const KorvexRun result = run(GetParam().args, GetParam().env);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.out << result.err;
    EXPECT_EQ(crlfLines(result.out).at(0), GetParam().firstLine);
    EXPECT_FALSE(directory_.exists("korvex_results.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, OrderlyStops,
    ::testing::Values(StopCase{"Fp1", {"-f", "fp1"}, {}, "GL_NV_fragment_program not supported", 2},
                      StopCase{"Fp4", {"-f", "fp4"}, {}, "GL_NV_fragment_program4 not supported", 2},
                      StopCase{"NvOption", {"-n", "fp2"}, {}, "GL_NV_fragment_program not supported", 2},
                      StopCase{"NoArbPrograms",
                               {"-g"},
                               {{"MESA_EXTENSION_OVERRIDE", "-GL_ARB_fragment_program"}},
                               "GL_ARB_fragment_program not supported",
                               2}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return info.param.name; });

TEST_F(BenchmarkRun, AProgramWithErrorsPrintsTheDriversTextAndExits3) {
    directory_.write("fasm_1.txt", "!!ARBfp1.0\r\nTEMP a;\r\nMUX a, a, a;\r\nEND\r\n");
    const KorvexRun result = run({"-I", "2"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out.rfind("Fragment program contains errors:\n\nline 3", 0), 0u) << result.out;
    EXPECT_FALSE(directory_.exists("korvex_results.txt"));
}

}  // namespace
