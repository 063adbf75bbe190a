#include "base/errors.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

TEST(ErrorReportTest, AddsAFullStopOnlyWhenMissing) {
    const int marker = 0;
    const std::string withStop = unhandledErrorReport("EFOpenError", "korvex", &marker, "Gone.");
    const std::string withoutStop = unhandledErrorReport("EFOpenError", "korvex", &marker, "Gone");
    EXPECT_EQ(withStop, withoutStop);
    EXPECT_EQ(0u, withStop.find("Exception EFOpenError in module korvex at "));
    EXPECT_EQ(".\r\nGone.\r\n", withStop.substr(withStop.size() - 10));
}

TEST(ErrorReportTest, EveryAddressIncludingNullIsWrittenInOneHexForm) {
    EXPECT_EQ(0u, unhandledErrorReport("Exception", "korvex", nullptr, "Gone")
                      .find("Exception Exception in module korvex at 0x0.\r\n"));
    const void* const place = reinterpret_cast<const void*>(std::uintptr_t{0xABC123});
    EXPECT_EQ(0u, unhandledErrorReport("Exception", "korvex", place, "Gone")
                      .find("Exception Exception in module korvex at 0xabc123.\r\n"));
}

TEST(ErrorReportTest, KindsHaveTheirClassNames) {
    EXPECT_STREQ("EFOpenError", errorKindName(ErrorKind::fileOpen));
    EXPECT_STREQ("EFCreateError", errorKindName(ErrorKind::fileCreate));
    EXPECT_STREQ("EIntOverflow", errorKindName(ErrorKind::intOverflow));
    EXPECT_STREQ("EInOutError", errorKindName(ErrorKind::inOut));
    EXPECT_STREQ("Exception", errorKindName(ErrorKind::general));
}

TEST(CheckedArithmeticTest, OverflowRaisesAndEverythingElsePasses) {
    EXPECT_EQ(65535 * 32767, checkedMultiply(65535, 32767));
    EXPECT_THROW(checkedMultiply(65536, 32768), KorvexError);
    EXPECT_THROW(checkedMultiply(INT_MIN, -1), KorvexError);
    EXPECT_EQ(-5, checkedSubtract(5, 10));
    EXPECT_THROW(checkedSubtract(LLONG_MIN, 1), KorvexError);
}

}  // namespace
