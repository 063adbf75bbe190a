#include <gtest/gtest.h>

#include "platform/windows/driver_version.h"

namespace {

TEST(VersionKeysTest, TranslationKeyPutsLanguageBeforeCodePage) {
    struct Case {
        std::uint32_t translation;
        const char* key;
    };
    for (const Case& c :
         {Case{0x04B00409, "040904B0"}, Case{0x04E40407, "040704E4"}, Case{0x04B00000, "000004B0"},
          Case{0xFFFFFFFF, "FFFFFFFF"}, Case{0, "00000000"}, Case{0x0000ABCD, "ABCD0000"}})
        EXPECT_EQ(c.key, translationKey(c.translation)) << std::hex << c.translation;
}

TEST(VersionKeysTest, StringPathBeginsWithTwoBackslashes) {
    EXPECT_EQ("\\\\StringFileInfo\\040904B0\\CompanyName", stringFileInfoPath("040904B0", "CompanyName"));
}

}  // namespace
