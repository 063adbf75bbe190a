// The JSON and CSV result files: what the schema cannot check (rates from the
// median, text that is not UTF-8, the net figures, the quoting), and a failed
// file leaving the earlier one whole.
#include "app/results/result_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <map>

#include "app/results/results_csv.h"
#include "app/results/results_json.h"
#include "base/errors.h"
#include "bench/tables.h"
#include "tests/support/console_capture.h"
#include "tests/support/crlf_lines.h"
#include "tests/support/temp_dir.h"

namespace {

const ResultStyle style = {" ", 2, "."};

TestResult blurResult(std::vector<double> sectionsMs) {
    const SetTest blur = {blurFigures(), programShape(defaultBenchSettings, std::nullopt),
                          std::string(64, 'a')};
    return testResult(blur, 1, 2, {10, std::move(sectionsMs), 3932160});
}

// A trusted fit of 1 ns per pixel-instruction, 2 flops each.
NetResult trustedNet() {
    NetResult net;
    net.lengths = {8, 16, 32};
    net.fit.msPerTested = 1e-6 * 512 * 768;
    net.fit.fixedMsPerQuad = 0.25;
    net.fit.r2 = 1.0;
    net.fit.verdict = NetVerdict::trusted;
    net.figures = netFigures(net.fit, 2);
    return net;
}

// A CSV row's cells by column name, for a header and a row without quotes.
std::map<std::string, std::string> cellsByName(const std::string& header, const std::string& row) {
    const auto cells = [](const std::string& line) {
        std::vector<std::string> fields(1);
        for (const char c : line) {
            if (c == ',')
                fields.emplace_back();
            else
                fields.back().push_back(c);
        }
        return fields;
    };
    const std::vector<std::string> names = cells(header), values = cells(row);
    std::map<std::string, std::string> byName;
    for (std::size_t c = 0; c < names.size() && c < values.size(); ++c) byName[names[c]] = values[c];
    return byName;
}

// The CSV row of a test without net figures.
std::string blurRowWithoutNet() {
    const std::string csv = resultsCsv({"", {blurResult({1.0})}, {}}, style);
    return crlfLines(csv).at(1);
}

class ResultFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        options_.json = "run.json";
        options_.csv = "run.csv";
        run_ = {"2026-12-07T13:00:00Z", {blurResult({3.0, 1.0, 2.0})}, {}};
    }
    TempDir directory_{true};
    BenchSettings settings_ = defaultBenchSettings;
    RunOptions options_;
    RunResults run_;
};

TEST_F(ResultFilesTest, RatesFollowTheMedianInBaseUnitsAndTheProgramIsNamed) {
    saveResultFiles(run_, settings_, options_, style);
    const auto document = nlohmann::json::parse(directory_.read("run.json"));
    EXPECT_EQ(2, document["format_version"]);
    const auto& test = document["tests"][0];
    EXPECT_EQ(2.0, test["median_ms"]);
    EXPECT_EQ((std::vector<double>{3.0, 1.0, 2.0}), test["sections_ms"].get<std::vector<double>>());
    EXPECT_DOUBLE_EQ(9.0 * 393216 * 10 / 0.002, test["rates"]["instructions_per_s"].get<double>());
    EXPECT_DOUBLE_EQ(4.0 * 393216 * 10 / 0.002, test["rates"]["bytes_per_s"].get<double>())
        << "bytes, not GB";
    EXPECT_FALSE(test.contains("net"));
    EXPECT_TRUE(test["instruction"].is_null());
    EXPECT_EQ(R"({"language":"ARB","nv_option":"none","instruction":null,"length":64,"components":4,)"
              R"("clamp":false,"precisions":{"hint":"none","instructions":"none"},"temporaries":"default",)"
              R"("branching":"none","fetches":{"count":0,"textures":"multi","coordinates":"single"},)"
              R"("parameters":"local","outputs":1,"vector_and_scalar":false})",
              nlohmann::ordered_json::parse(directory_.read("run.json"))["tests"][0]["program"].dump());
    EXPECT_EQ("fixed", document["settings"]["iteration_policy"]["kind"]);
    EXPECT_EQ(10000, document["settings"]["iteration_policy"]["iterations"]);
    EXPECT_FALSE(document["settings"].contains("options")) << "no settings by their C++ names";
}

TEST_F(ResultFilesTest, TheProgramObjectNamesEverySettingThatShapesIt) {
    BenchSettings s = defaultBenchSettings;
    s.fragmentProgram = FragmentProfile::FP2;
    s.nvOption = 2;
    s.clamp = 1;
    s.precisionHint = 2;
    s.nvInstructionPrecision = "H";
    s.temporaries = 2;
    s.branching = 1;
    s.textureFetches = 3;
    s.fetchTexture = 0;
    s.multiTexCoords = 1;
    s.localParameters = 2;
    s.vectorAndScalar = 1;
    EXPECT_EQ(R"({"language":"FP2","nv_option":"FP2","instruction":"MUL","length":64,"components":4,)"
              R"("clamp":true,"precisions":{"hint":"fastest","instructions":"H"},"temporaries":"short",)"
              R"("branching":"loop","fetches":{"count":3,"textures":"single","coordinates":"multi"},)"
              R"("parameters":"named","outputs":1,"vector_and_scalar":true})",
              programJson(programShape(s, AluInstruction::MUL)).dump());
}

TEST_F(ResultFilesTest, DriverTextThatIsNotUtf8AndTheNetFiguresAreWritten) {
    run_.tests[0].test.figures.label = "Bl\xffur";
    run_.tests[0].net = NetResult{};
    run_.tests[0].net->unavailable = "one, \"two\"\nthree";
    run_.tests.push_back(blurResult({1.0}));
    run_.tests[1].net = trustedNet();
    options_.minTimeS = 0.5;
    saveResultFiles(run_, settings_, options_, style);
    const auto document = nlohmann::json::parse(directory_.read("run.json"));
    EXPECT_EQ("Bl\xef\xbf\xbdur", document["tests"][0]["label"]) << "the bad byte became U+FFFD";
    EXPECT_FALSE(document["tests"][0].contains("net")) << "no variants, no net object";
    EXPECT_DOUBLE_EQ(1e9, document["tests"][1]["net"]["instructions_per_s"].get<double>());
    EXPECT_EQ(0.5, document["settings"]["iteration_policy"]["min_time_s"]);

    const std::string csv = directory_.read("run.csv");
    EXPECT_NE(std::string::npos,
              csv.find(",\"Warning: no net figures for Bl\xffur: one, \"\"two\"\"\nthree\"\r\n"))
        << csv;
    const std::vector<std::string> lines = crlfLines(csv);
    const auto net = cellsByName(lines.front(), lines.back());
    EXPECT_EQ("1000000000.0", net.at("net_instructions_per_s"));
    EXPECT_EQ("2000000000.0", net.at("net_flops_per_s"));
    EXPECT_EQ("0.00025", net.at("net_fixed_s_per_quad"));
    EXPECT_EQ("true", net.at("net_trusted"));
    EXPECT_EQ("", cellsByName(lines.front(), blurRowWithoutNet()).at("net_trusted"));
}

TEST_F(ResultFilesTest, AFileThatCannotBeWrittenKeepsTheOldOneWhole) {
    directory_.write("run.csv", "old");
    options_.csv = "absent/run.csv";
    EXPECT_THROW(checkResultFiles(settings_, options_, {}), KorvexError);
    directory_.write("run.json", "old");
    std::filesystem::create_directory(directory_.file("absent"));
    std::filesystem::create_directory(directory_.file("absent/run.csv"));
    EXPECT_THROW(saveResultFiles(run_, settings_, options_, style), KorvexError);
    EXPECT_EQ('{', directory_.read("run.json")[0]) << "the JSON before it was replaced whole";
    const std::filesystem::directory_iterator absent(directory_.file("absent"));
    EXPECT_EQ(1, std::distance(absent, std::filesystem::directory_iterator())) << "no temporary left";
}

// Names that lead to one file: refused with one line and exit code 2 before
// anything is created.
TEST_F(ResultFilesTest, OutputsThatAreOneFileOrAnInputOfTheRunAreRefused) {
    directory_.write("fasm_1.txt", "!!ARBfp1.0");
    std::filesystem::create_symlink("fasm_1.txt", directory_.file("program.lnk"));
    struct Case {
        std::string json, csv, line;
    };
    const Case cases[] = {
        {"same", "./same", "--csv \"./same\" names the same file as --json \"same\""},
        {"", "korvex_results.txt",
         "--csv \"korvex_results.txt\" names the same file as korvex_results.txt, the result lines' file"},
        {"fasm_1.txt", "",
         "--json \"fasm_1.txt\" names the same file as \"fasm_1.txt\", which the run reads"},
        {"program.lnk", "",
         "--json \"program.lnk\" names the same file as \"fasm_1.txt\", which the run reads"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        options_.json = c.json;
        options_.csv = c.csv;
        ConsoleCapture console;
        try {
            checkResultFiles(settings_, options_, {"fasm_1.txt"});
            ADD_FAILURE() << "not refused";
        } catch (const OrderlyStop& stop) {
            EXPECT_EQ(exitcode::badOption, stop.exitCode);
        }
        EXPECT_EQ(c.line + "\r\n", console.errorText());
        EXPECT_EQ("!!ARBfp1.0", directory_.read("fasm_1.txt"));
        EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(directory_.path()),
                                   std::filesystem::directory_iterator()))
            << "nothing created";
    }
    // A -M run writes no result lines, so their file is free.
    settings_.multipleOutputs = 1;
    options_.json = "korvex_results.txt";
    checkResultFiles(settings_, options_, {"fasm_1.txt"});
}

TEST(CsvFieldTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ("MUL", csvField("MUL"));
    EXPECT_EQ("\"a,b\"", csvField("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", csvField("say \"hi\""));
    EXPECT_EQ("\"a\r\nb\"", csvField("a\r\nb"));
}

}  // namespace
