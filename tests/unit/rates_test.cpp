#include <gtest/gtest.h>

#include "base/number_format.h"
#include "bench/marlune_common.h"

namespace {

TEST(RateTest, PrefixesScaleByThousands) {
    EXPECT_DOUBLE_EQ(393216.0, pixelRate(0, 393216000, 1000.0));
    EXPECT_DOUBLE_EQ(393.216, pixelRate(1, 393216000, 1000.0));
    EXPECT_DOUBLE_EQ(0.393216, pixelRate(2, 393216000, 1000.0));
    EXPECT_EQ("0.3932", formatFixed4(pixelRate(2, 393216000, 1000.0), "."));
    EXPECT_DOUBLE_EQ(350.0, instructionRate(2, 35000000000, 100.0));
}

TEST(RateTest, HalvingTheTimeDoublesEveryRate) {
    EXPECT_DOUBLE_EQ(2 * flopRate(1, 28704768LL * 10000, 80.0), flopRate(1, 28704768LL * 10000, 40.0));
    EXPECT_DOUBLE_EQ(2 * bandwidthRate(1e9, 80.0), bandwidthRate(1e9, 40.0));
}

TEST(RateTest, GigabytesAreBinary) {
    EXPECT_EQ(1.0, bandwidthRate(1073741824.0, 1000.0));
    EXPECT_EQ("0.9313", formatFixed4(bandwidthRate(1e9, 1000.0), "."));
    EXPECT_EQ("156.2500", formatFixed4(bandwidthRate(4.0 * 4 * 4 * 10000 * 512 * 512, 1000.0), "."));
}

TEST(RateTest, LargestWorkCountStaysExact) {
    const std::int64_t largest = 28704768LL * 2147483647LL;
    EXPECT_GT(largest, 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(largest) / 1e9, flopRate(2, largest, 1000.0));
}

TEST(NumberFormatTest, FixedFourDecimalsWithTheLocaleSeparator) {
    EXPECT_EQ("0.0000", formatFixed4(0.0, "."));
    EXPECT_EQ("1,5000", formatFixed4(1.5, ","));
    EXPECT_EQ("12345678.1235", formatFixed4(12345678.12346, "."));
    EXPECT_EQ("-0.5000", formatFixed4(-0.5, "."));
    EXPECT_EQ(
        "2\xd9\xab"
        "5000",
        formatFixed4(2.5, "\xd9\xab"))
        << "a multi-byte separator";
}

}  // namespace
