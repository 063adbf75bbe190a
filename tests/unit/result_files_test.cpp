// The JSON and CSV result files: what the schema cannot check (rates from the
// median, text that is not UTF-8, the optional net object, the quoting), and
// a failed file leaving the earlier one whole.
#include "app/results/result_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "app/results/results_csv.h"
#include "base/errors.h"
#include "tests/support/temp_dir.h"

namespace {

TestRecord blurRecord(std::vector<double> sectionsMs) {
    return {
        blurFigures(), "ARB", std::nullopt, std::string(64, 'a'), 1, {10, std::move(sectionsMs), 3932160}, {},
        std::nullopt};
}

class ResultFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_ = defaultBenchSettings;
        settings_.json = "run.json";
        settings_.csv = "run.csv";
        runRecord = {"2026-12-07T13:00:00Z", {blurRecord({3.0, 1.0, 2.0})}, {}};
    }
    void TearDown() override { runRecord = {}; }
    TempDir directory_{true};
    BenchSettings settings_;
};

TEST_F(ResultFilesTest, RatesFollowTheMedianInBaseUnits) {
    saveResultFiles(settings_);
    const auto document = nlohmann::json::parse(directory_.read("run.json"));
    const auto& test = document["tests"][0];
    EXPECT_EQ(2.0, test["median_ms"]);
    EXPECT_EQ((std::vector<double>{3.0, 1.0, 2.0}), test["sections_ms"].get<std::vector<double>>());
    EXPECT_DOUBLE_EQ(9.0 * 393216 * 10 / 0.002, test["rates"]["instructions_per_s"].get<double>());
    EXPECT_DOUBLE_EQ(4.0 * 393216 * 10 / 0.002, test["rates"]["bytes_per_s"].get<double>())
        << "bytes, not GB";
    EXPECT_FALSE(test.contains("net"));
    EXPECT_TRUE(test["instruction"].is_null());
    EXPECT_EQ("fixed", document["settings"]["iteration_policy"]["kind"]);
    EXPECT_EQ(10000, document["settings"]["iteration_policy"]["iterations"]);
}

TEST_F(ResultFilesTest, DriverTextThatIsNotUtf8AndANetObjectAreWritten) {
    runRecord.tests[0].figures.label = "Bl\xffur";
    runRecord.tests[0].warnings = {"Warning: one, \"two\"\nthree"};
    runRecord.tests[0].net = nlohmann::ordered_json{{"instructions_per_s", nullptr}};
    settings_.minTime = 0.5;
    saveResultFiles(settings_);
    const auto document = nlohmann::json::parse(directory_.read("run.json"));
    EXPECT_EQ("Bl\xef\xbf\xbdur", document["tests"][0]["label"]) << "the bad byte became U+FFFD";
    EXPECT_TRUE(document["tests"][0]["net"]["instructions_per_s"].is_null());
    EXPECT_EQ(0.5, document["settings"]["iteration_policy"]["min_time_s"]);
    const std::string csv = directory_.read("run.csv");
    EXPECT_NE(std::string::npos, csv.find(",\"Warning: one, \"\"two\"\"\nthree\"\r\n")) << csv;
}

TEST_F(ResultFilesTest, AFileThatCannotBeWrittenKeepsTheOldOneWhole) {
    directory_.write("run.csv", "old");
    settings_.csv = "absent/run.csv";
    EXPECT_THROW(checkResultFiles(settings_), KorvexError);
    directory_.write("run.json", "old");
    std::filesystem::create_directory(directory_.file("absent"));
    std::filesystem::create_directory(directory_.file("absent/run.csv"));
    EXPECT_THROW(saveResultFiles(settings_), KorvexError);
    EXPECT_EQ('{', directory_.read("run.json")[0]) << "the JSON before it was replaced whole";
    const std::filesystem::directory_iterator absent(directory_.file("absent"));
    EXPECT_EQ(1, std::distance(absent, std::filesystem::directory_iterator())) << "no temporary left";
}

TEST(CsvFieldTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ("MUL", csvField("MUL"));
    EXPECT_EQ("\"a,b\"", csvField("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", csvField("say \"hi\""));
    EXPECT_EQ("\"a\r\nb\"", csvField("a\r\nb"));
}

}  // namespace
