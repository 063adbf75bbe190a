#include "bench/tables.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileTableTest, LookupAcceptsOnlyWholeProfileNames) {
    EXPECT_EQ(0, profileByName("ARB"));
    EXPECT_EQ(1, profileByName("FP1"));
    EXPECT_EQ(2, profileByName("FP2"));
    EXPECT_EQ(3, profileByName("FP4"));
    for (const char* text : {"FP", "", "ARBFP1.0", "VAL", "INVALID", "arb", "FP3"})
        EXPECT_EQ(FragmentProfile::INVALID, profileByName(text)) << text;
}

TEST(ProfileTableTest, TargetsSendFp4ToTheArbTargetAndInvalidNowhere) {
    EXPECT_EQ(0x8804u, programTarget(FragmentProfile::ARB));
    EXPECT_EQ(0x8870u, programTarget(FragmentProfile::FP1));
    EXPECT_EQ(0x8870u, programTarget(FragmentProfile::FP2));
    EXPECT_EQ(0x8804u, programTarget(FragmentProfile::FP4));
    EXPECT_EQ(0u, programTarget(FragmentProfile::INVALID));
    EXPECT_EQ(0u, programTarget(200));
}

TEST(InstructionTableTest, LookupAndNamesAgree) {
    EXPECT_EQ(13, instructionByName("MAD"));
    EXPECT_EQ(28, instructionByName("NRM"));
    for (const char* text : {"MA", "MADD", "INVALID", "mad", "", "VAL"})
        EXPECT_EQ(AluInstruction::INVALID, instructionByName(text)) << text;
    for (std::uint8_t i = 0; i < AluInstruction::count; ++i)
        EXPECT_EQ(i, instructionByName(instructionName(i)));
    EXPECT_STREQ("MAD", instructionName(13));
    EXPECT_STREQ("INVALID", instructionName(29));
    EXPECT_STREQ("INVALID", instructionName(30));
    EXPECT_STREQ("INVALID", instructionName(255));
}

TEST(ResultPrefixTest, LettersAndDivisors) {
    EXPECT_STREQ("K", resultPrefixTable[0].letter);
    EXPECT_STREQ("M", resultPrefixTable[1].letter);
    EXPECT_STREQ("G", resultPrefixTable[2].letter);
    EXPECT_EQ(1e9, resultPrefixTable[2].divisor);
}

}  // namespace
