#include <gtest/gtest.h>

#include "platform/windows/pixel_format_attributes.h"

namespace {

// The value that follows `attribute` in a (attribute, value) list.
int valueOf(const std::vector<int>& list, int attribute) {
    for (std::size_t i = 0; i + 1 < list.size(); i += 2)
        if (list[i] == attribute) return list[i + 1];
    ADD_FAILURE() << "attribute " << std::hex << attribute << " missing";
    return -1;
}

// clang-format off
TEST(PixelFormatAttributesTest, NvidiaListForOneComponentIsExact) {
    EXPECT_EQ((std::vector<int>{0x20B0, 1,  0x20B1, 1, 0x2010, 1, 0x202D, 1, 0x2003, 0x2027,
                                0x2014, 32, 0x2015, 32, 0x2017, 0, 0x2019, 0, 0x201B, 0,
                                0x2022, 0,  0x2024, 0, 0x2011, 0, 0, 0}),
              pixelFormatAttributes({true, 1, 0, 0}));
}

TEST(PixelFormatAttributesTest, OtherVendorListForFourComponentsIsExact) {
    EXPECT_EQ((std::vector<int>{0x2071, 1,   0x2013, 0x21A0, 0x2010, 1, 0x202D, 1, 0x2003, 0x2027,
                                0x2014, 128, 0x2015, 32, 0x2017, 32, 0x2019, 32, 0x201B, 32,
                                0x2022, 0,   0x2024, 3,  0x2011, 1, 0, 0}),
              pixelFormatAttributes({false, 4, 3, 1}));
}
// clang-format on

TEST(PixelFormatAttributesTest, ChannelBitsFollowTheComponentCount) {
    struct Case {
        int components, bindAttribute, colorBits, green, blue, alpha;
    };
    for (const Case& c : {Case{1, 0x20B1, 32, 0, 0, 0}, Case{2, 0x20B2, 64, 32, 0, 0},
                          Case{3, 0x20B3, 96, 32, 32, 0}, Case{4, 0x20B4, 128, 32, 32, 32}}) {
        SCOPED_TRACE(c.components);
        for (const bool nvidia : {true, false}) {
            const std::vector<int> list = pixelFormatAttributes({nvidia, c.components, 0, 0});
            EXPECT_EQ(c.colorBits, valueOf(list, 0x2014));
            EXPECT_EQ(32, valueOf(list, 0x2015));
            EXPECT_EQ(c.green, valueOf(list, 0x2017));
            EXPECT_EQ(c.blue, valueOf(list, 0x2019));
            EXPECT_EQ(c.alpha, valueOf(list, 0x201B));
        }
        EXPECT_EQ(c.bindAttribute, pixelFormatAttributes({true, c.components, 0, 0})[2]);
    }
}

TEST(PixelFormatAttributesTest, ComponentCountsOutsideTheTableAskForNoBindAttribute) {
    EXPECT_EQ(0, pixelFormatAttributes({true, 0, 0, 0})[2]);
    EXPECT_EQ(0, pixelFormatAttributes({true, 5, 0, 0})[2]);
    EXPECT_EQ(0, pbufferAttributes(true, -1)[1]);
}

TEST(PbufferAttributesTest, NvidiaAsksForAFloatRectangleTexture) {
    const int formats[] = {0x20B5, 0x20B6, 0x20B7, 0x20B8};
    for (int components = 1; components <= 4; ++components)
        EXPECT_EQ((std::vector<int>{0x2072, formats[components - 1], 0x2073, 0x20A2, 0, 0}),
                  pbufferAttributes(true, components));
}

TEST(PbufferAttributesTest, OtherVendorsAskForAnRgba2DTextureWhateverTheComponents) {
    for (int components = 1; components <= 4; ++components)
        EXPECT_EQ((std::vector<int>{0x2072, 0x2076, 0x2073, 0x207A, 0, 0}),
                  pbufferAttributes(false, components));
}

}  // namespace
