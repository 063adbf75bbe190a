#include "app/results/result_lines.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/errors.h"

namespace {

ResultStyle style(const std::string& separator = " ", std::uint8_t prefix = 2, int multiplier = 1,
                  const std::string& decimal = ".") {
    return {separator, prefix, multiplier, decimal};
}

TEST(ResultLine, SpacesTheFixedBlurLineWithTheOneBlankSeparator) {
    EXPECT_EQ(resultLine(blurFigures(), style(), 10000, 1234.56789),
              "Blur    9  73  5    512  768    10000    1234.5679 ms");
}

TEST(ResultLine, CompactsTheLineWithTheEmptySeparator) {
    EXPECT_EQ(resultLine(blurFigures(), style(""), 3, 0.5), "Blur    9  73 5  512  768   3   0.5000 ms");
}

TEST(ResultLine, UsesTheLocaleDecimalSeparatorInTheTimeAndEveryRate) {
    const std::vector<std::string> block = resultBlock(blurFigures(), style(" ", 2, 1, ","), 1000, 1000.0);
    EXPECT_EQ(block[0], "Blur    9  73  5    512  768    1000    1000,0000 ms");
    for (const std::string& line : block) EXPECT_EQ(line.find('.'), std::string::npos) << line;
}

TEST(ResultLine, ShowsAGeneratedTestsLabelAndFigures) {
    const TestFigures mad = {"MAD", 66, 512, 2, 16};
    EXPECT_EQ(resultLine(mad, style(), 20, 7.0), "MAD    66  512  2    512  768    20    7.0000 ms");
}

TEST(ResultSeparator, IsEmptyOnlyForVectorAndScalarWithTextureFetches) {
    EXPECT_EQ(resultSeparator(0, 0), " ");
    EXPECT_EQ(resultSeparator(1, 0), " ");
    EXPECT_EQ(resultSeparator(0, 2), " ");
    EXPECT_EQ(resultSeparator(1, 2), "");
}

TEST(ResultBlock, RatesTheBlurWorkPerSecondInTheChosenPrefix) {
    // 1000 iterations in one second: 393 216 000 pixels.
    const std::vector<std::string> block = resultBlock(blurFigures(), style(" ", 0), 1000, 1000.0);
    ASSERT_EQ(block.size(), 6u);
    EXPECT_EQ(block[1], "3538944.0000 KInstr/sec");
    EXPECT_EQ(block[2], "393216.0000 KPixel/sec");
    EXPECT_EQ(block[3], "28704768.0000 KFlops/sec");
    EXPECT_EQ(block[4], "1966080.0000 KTexel/sec");
    EXPECT_EQ(block[5], "1.4648 GB/sec");
}

TEST(ResultBlock, VectorAndScalarCountsFourInstructionsPerLineButPrintsNine) {
    const std::vector<std::string> block = resultBlock(blurFigures(), style(" ", 1, 4), 1000, 1000.0);
    EXPECT_EQ(block[0].substr(0, 9), "Blur    9");
    EXPECT_EQ(block[1], "14155.7760 MInstr/sec");
    EXPECT_EQ(block[2], "393.2160 MPixel/sec");
}

TEST(ResultBlock, TakesAGeneratedTestsWorkIntoEveryRate) {
    const TestFigures program = {"ADD", 10, 40, 2, 16};
    const std::vector<std::string> block = resultBlock(program, style(" ", 0), 1000, 1000.0);
    EXPECT_EQ(block[1], "3932160.0000 KInstr/sec");
    EXPECT_EQ(block[3], "15728640.0000 KFlops/sec");
    EXPECT_EQ(block[4], "786432.0000 KTexel/sec");
    EXPECT_EQ(block[5], "5.8594 GB/sec");
}

TEST(ResultBlock, RaisesTheOverflowErrorForWorkBeyond64Bits) {
    const TestFigures huge = {"MAD", 1, INT_MAX, 1, 4};
    try {
        resultBlock(huge, style(), INT_MAX, 1.0);
        FAIL() << "no error";
    } catch (const KorvexError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::intOverflow);
    }
}

TEST(ShadingWarning, NamesTheShadedAndExpectedFragmentsOnlyWhenTheyDiffer) {
    EXPECT_EQ(shadingWarning(std::nullopt, 2), std::nullopt);
    EXPECT_EQ(shadingWarning(786432u, 2), std::nullopt);
    EXPECT_EQ(shadingWarning(393216u, 2),
              "Warning: 393216 of 786432 fragments passed; the rates assume all 786432 were shaded");
    // More than a 32-bit count holds: 20 000 iterations.
    EXPECT_EQ(shadingWarning(7864320000u, 20000), std::nullopt);
}

}  // namespace
