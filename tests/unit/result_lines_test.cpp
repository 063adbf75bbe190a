#include "app/results/result_lines.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/errors.h"
#include "bench/settings.h"

namespace {

ResultStyle style(const std::string& separator = " ", std::uint8_t prefix = 2,
                  const std::string& decimal = ".") {
    return {separator, prefix, decimal};
}

// A test of `figures` whose one section of `iterations` lasted `ms`.
TestResult timed(const TestFigures& figures, std::uint8_t prefix, int multiplier, int iterations, double ms) {
    const SetTest test = {figures, programShape(defaultBenchSettings, std::nullopt), ""};
    return testResult(test, multiplier, prefix, {iterations, {ms}, std::nullopt});
}

TEST(ResultLine, SpacesTheFixedBlurLineWithTheOneBlankSeparator) {
    EXPECT_EQ(resultLine(blurFigures(), style(), 10000, 1234.56789),
              "Blur    9  73  5    512  768    10000    1234.5679 ms");
}

TEST(ResultLine, CompactsTheLineWithTheEmptySeparator) {
    EXPECT_EQ(resultLine(blurFigures(), style(""), 3, 0.5), "Blur    9  73 5  512  768   3   0.5000 ms");
}

TEST(ResultLine, UsesTheLocaleDecimalSeparatorInTheTimeAndEveryRate) {
    const std::vector<std::string> block =
        resultBlock(timed(blurFigures(), 2, 1, 1000, 1000.0), style(" ", 2, ","));
    EXPECT_EQ(block[0], "Blur    9  73  5    512  768    1000    1000,0000 ms");
    for (const std::string& line : block) EXPECT_EQ(line.find('.'), std::string::npos) << line;
}

TEST(ResultLine, ShowsAGeneratedTestsLabelAndFigures) {
    const TestFigures mad = {"MAD", 66, 512, 2, 16};
    EXPECT_EQ(resultLine(mad, style(), 20, 7.0), "MAD    66  512  2    512  768    20    7.0000 ms");
}

TEST(ResultBlock, AProgramWhoseWorkIsNotKnownHasOnlyItsPixelRateAndThroughputAndSaysWhy) {
    SetTest test = {{"rep.txt", 4, 8, 0, 16}, programShape(defaultBenchSettings, std::nullopt), ""};
    CountedWork counted;
    counted.flowControl = true;
    test.file = FileWork{counted, false};
    const TestResult result = testResult(test, 1, 0, {1000, {1000.0}, std::nullopt});
    EXPECT_EQ((std::vector<std::string>{
                  "rep.txt    4  8  0    512  768    1000    1000.0000 ms", "393216.0000 KPixel/sec",
                  "5.8594 GB/sec",
                  "Flow control: the figures count the text, not the work run; --work "
                  "INSTRUCTIONS,FLOPS,TEXELS,BYTES gives the instruction, flop and texel rates"}),
              testResultLines(result, style(" ", 0)));
    EXPECT_TRUE(testWarningLines(result, style()).empty());
    test.file->given = true;
    EXPECT_EQ(6u, testResultLines(testResult(test, 1, 0, {1000, {1000.0}, std::nullopt}), style()).size());
}

TEST(ResultSeparator, IsEmptyOnlyForVectorAndScalarWithTextureFetches) {
    EXPECT_EQ(resultSeparator(0, 0), " ");
    EXPECT_EQ(resultSeparator(1, 0), " ");
    EXPECT_EQ(resultSeparator(0, 2), " ");
    EXPECT_EQ(resultSeparator(1, 2), "");
}

TEST(ResultBlock, RatesTheBlurWorkPerSecondInTheChosenPrefix) {
    // 1000 iterations in one second: 393 216 000 pixels.
    const std::vector<std::string> block =
        resultBlock(timed(blurFigures(), 0, 1, 1000, 1000.0), style(" ", 0));
    ASSERT_EQ(block.size(), 6u);
    EXPECT_EQ(block[1], "3538944.0000 KInstr/sec");
    EXPECT_EQ(block[2], "393216.0000 KPixel/sec");
    EXPECT_EQ(block[3], "28704768.0000 KFlops/sec");
    EXPECT_EQ(block[4], "1966080.0000 KTexel/sec");
    EXPECT_EQ(block[5], "1.4648 GB/sec");
}

TEST(ResultBlock, VectorAndScalarCountsFourInstructionsPerLineButPrintsNine) {
    const std::vector<std::string> block =
        resultBlock(timed(blurFigures(), 1, 4, 1000, 1000.0), style(" ", 1));
    EXPECT_EQ(block[0].substr(0, 9), "Blur    9");
    EXPECT_EQ(block[1], "14155.7760 MInstr/sec");
    EXPECT_EQ(block[2], "393.2160 MPixel/sec");
}

TEST(ResultBlock, TakesAGeneratedTestsWorkIntoEveryRate) {
    const TestFigures program = {"ADD", 10, 40, 2, 16};
    const std::vector<std::string> block = resultBlock(timed(program, 0, 1, 1000, 1000.0), style(" ", 0));
    EXPECT_EQ(block[1], "3932160.0000 KInstr/sec");
    EXPECT_EQ(block[3], "15728640.0000 KFlops/sec");
    EXPECT_EQ(block[4], "786432.0000 KTexel/sec");
    EXPECT_EQ(block[5], "5.8594 GB/sec");
}

TEST(ResultBlock, RaisesTheOverflowErrorForWorkBeyond64Bits) {
    const TestFigures huge = {"MAD", 1, INT_MAX, 1, 4};
    try {
        timed(huge, 2, 1, INT_MAX, 1.0);
        FAIL() << "no error";
    } catch (const KorvexError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::intOverflow);
    }
}

// The text and the result files read the same record: each per-second rate
// is its block rate in base units, the vector-and-scalar factor and the
// texels (not the flops) included.
TEST(ResultBlock, ShowsTheRecordsRatesInThePrefixAndTheFilesGetThemInBaseUnits) {
    const TestFigures program = {"TEX", 10, 40, 3, 16};
    const TestResult result = timed(program, 1, 4, 250, 500.0);
    const double pixels = 512.0 * 768.0 * 250 / 0.5;
    EXPECT_DOUBLE_EQ(pixels * 40, result.perSecond.instructions);
    EXPECT_DOUBLE_EQ(pixels, result.perSecond.pixels);
    EXPECT_DOUBLE_EQ(pixels * 40, result.perSecond.flops);
    EXPECT_DOUBLE_EQ(pixels * 3, result.perSecond.texels);
    EXPECT_DOUBLE_EQ(pixels * 16, result.perSecond.bytes);
    EXPECT_DOUBLE_EQ(result.perSecond.instructions / 1e6, result.block.instructions);
    EXPECT_DOUBLE_EQ(result.perSecond.texels / 1e6, result.block.texels);
    EXPECT_DOUBLE_EQ(result.perSecond.bytes / (1024.0 * 1024.0 * 1024.0), result.block.gigabytes);
    EXPECT_EQ(512u * 768u * 250u, result.fragmentsPerSection);
}

TEST(ShadingWarning, NamesTheShadedAndExpectedFragmentsOnlyWhenTheyDiffer) {
    EXPECT_EQ(shadingWarning(std::nullopt, 786432u), std::nullopt);
    EXPECT_EQ(shadingWarning(786432u, 786432u), std::nullopt);
    EXPECT_EQ(shadingWarning(393216u, 786432u),
              "Warning: 393216 of 786432 fragments passed; the rates assume all 786432 were shaded");
}

}  // namespace
