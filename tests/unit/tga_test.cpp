#include <gtest/gtest.h>

#include <sstream>

#include "base/errors.h"
#include "image/TGA2.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tga_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Two rows of two 24-bit pixels, bottom row first: a b / c d.
const Bytes twoByTwo = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

TTGAImage load(const std::string& file) {
    TTGAImage image;
    std::istringstream stream(file);
    image.LoadFromStream(stream);
    return image;
}

TGAHeader headerOf(const TgaFields& fields) { return load(buildTga(fields, {})).Header; }

TEST(TgaTest, RawImageKeepsFileOrderAndSwapExchangesRedAndBlue) {
    TTGAImage image = load(buildTga({}, twoByTwo));
    EXPECT_EQ(twoByTwo, image.Data);
    EXPECT_EQ(2, image.Header.width);
    image.SwapRedBlue();
    EXPECT_EQ((Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}), image.Data);
    image.SwapRedBlue();
    EXPECT_EQ(twoByTwo, image.Data);
}

TEST(TgaTest, DescriptorBitsBringEveryOrientationToBottomUpLeftToRight) {
    const std::pair<std::uint8_t, Bytes> cases[] = {
        {0x00, twoByTwo},
        {0x20, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}},
        {0x10, {4, 5, 6, 1, 2, 3, 10, 11, 12, 7, 8, 9}},
        {0x30, {10, 11, 12, 7, 8, 9, 4, 5, 6, 1, 2, 3}},
    };
    for (const auto& [descriptor, expected] : cases) {
        TgaFields fields;
        fields.descriptor = descriptor;
        EXPECT_EQ(expected, load(buildTga(fields, twoByTwo)).Data) << "descriptor " << int(descriptor);
    }
}

TEST(TgaTest, SingleRowAndSingleColumnImagesSurviveFlipAndMirror) {
    TgaFields fields;
    fields.width = 1, fields.height = 1, fields.descriptor = 0x30;
    EXPECT_EQ((Bytes{1, 2, 3}), load(buildTga(fields, {1, 2, 3})).Data);
    fields.width = 0, fields.height = 5;
    EXPECT_TRUE(load(buildTga(fields, {})).Data.empty());
}

TEST(TgaTest, RunAndRawPacketsDecode) {
    TgaFields fields;
    fields.imageType = 10;
    fields.width = 5, fields.height = 1;
    const TTGAImage image = load(buildTga(fields, {0x83, 9, 8, 7, 0x00, 1, 2, 3}));
    EXPECT_EQ((Bytes{9, 8, 7, 9, 8, 7, 9, 8, 7, 9, 8, 7, 1, 2, 3}), image.Data);
    EXPECT_EQ(2, image.Header.imageType);

    fields.width = 2;
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 6}), load(buildTga(fields, {0x01, 1, 2, 3, 4, 5, 6})).Data);
}

TEST(TgaTest, PacketsThatRunPastTheImageAreCut) {
    TgaFields fields;
    fields.imageType = 10;
    fields.width = 2, fields.height = 1;
    EXPECT_EQ((Bytes{5, 5, 5, 5, 5, 5}), load(buildTga(fields, {0xFF, 5, 5, 5})).Data);
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 6}), load(buildTga(fields, {0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9})).Data);
}

TEST(TgaTest, TruncatedFilesLeaveZeroBytes) {
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 0, 0, 0, 0, 0, 0, 0}), load(buildTga({}, {1, 2, 3, 4, 5})).Data);

    TgaFields rle;
    rle.imageType = 10;
    EXPECT_EQ((Bytes{1, 2, 3, 1, 2, 3, 0, 0, 0, 0, 0, 0}),
              load(buildTga(rle, {0x81, 1, 2, 3, 0x81, 4})).Data);
    EXPECT_EQ(Bytes(12, 0), load(buildTga(rle, {})).Data);

    const TTGAImage headerOnly = load(std::string("\0\0\2", 3));
    EXPECT_EQ(0, headerOnly.Header.width);
    EXPECT_TRUE(headerOnly.Data.empty());
}

TEST(TgaTest, IdFieldIsSkipped) {
    TgaFields fields;
    fields.id = "made by a test";
    EXPECT_EQ(twoByTwo, load(buildTga(fields, twoByTwo)).Data);
}

TEST(TgaTest, ColourMapIsReadAndSwappedForNarrowPixels) {
    TgaFields fields;
    fields.imageType = 1, fields.pixelDepth = 8, fields.colorMapType = 1;
    fields.colorMapLength = 2, fields.colorMapEntrySize = 24;
    TTGAImage image = load(buildTga(fields, {0, 1, 1, 0}, {10, 20, 30, 40, 50, 60}));
    EXPECT_EQ((Bytes{0, 1, 1, 0}), image.Data) << "indices stay indices";
    image.SwapRedBlue();
    EXPECT_EQ((Bytes{30, 20, 10, 60, 50, 40}), image.ColorMap);
    EXPECT_EQ((Bytes{0, 1, 1, 0}), image.Data);
}

TEST(TgaTest, GreyScaleWithoutMapAndAlphaBytesStayPut) {
    TgaFields grey;
    grey.imageType = 3, grey.pixelDepth = 8;
    TTGAImage image = load(buildTga(grey, {1, 2, 3, 4}));
    image.SwapRedBlue();
    EXPECT_EQ((Bytes{1, 2, 3, 4}), image.Data);

    TgaFields alpha;
    alpha.pixelDepth = 32, alpha.width = 1, alpha.height = 2;
    TTGAImage withAlpha = load(buildTga(alpha, {1, 2, 3, 4, 5, 6, 7, 8}));
    withAlpha.SwapRedBlue();
    EXPECT_EQ((Bytes{3, 2, 1, 4, 7, 6, 5, 8}), withAlpha.Data);
}

// The overflow is raised before the caller's check sees the header, and a
// check that refuses the header leaves the image as it was.
TEST(TgaTest, OverflowingOrRefusedHeaderRaisesAndKeepsTheImage) {
    TTGAImage image = load(buildTga({}, twoByTwo));
    TgaFields huge;
    huge.width = 65535, huge.height = 65535, huge.pixelDepth = 32;
    int checked = 0;
    const TTGAImage::HeaderCheck refuse = [&](const TGAHeader& header) {
        ++checked;
        EXPECT_EQ(2, header.imageType) << "a run-length image is checked as its decoded type";
        if (header.width > 2) throw KorvexError(ErrorKind::general, "refused");
    };
    std::istringstream stream(buildTga(huge, {}));
    try {
        image.LoadFromStream(stream, refuse);
        FAIL() << "no overflow raised";
    } catch (const KorvexError& error) {
        EXPECT_EQ(ErrorKind::intOverflow, error.kind());
    }
    EXPECT_EQ(0, checked);
    huge.height = 10922, huge.pixelDepth = 24, huge.imageType = 10;
    std::istringstream large(buildTga(huge, {}));
    EXPECT_THROW(image.LoadFromStream(large, refuse), KorvexError);
    EXPECT_EQ(1, checked);
    EXPECT_EQ(twoByTwo, image.Data);
    EXPECT_EQ(2, image.Header.width);
}

TEST(TgaTest, LaterLoadKeepsAnEarlierColourMapOnlyWhenTheNewFileHasNone) {
    TgaFields mapped;
    mapped.imageType = 1, mapped.pixelDepth = 8, mapped.colorMapType = 1;
    mapped.colorMapLength = 1, mapped.colorMapEntrySize = 24;
    TTGAImage image;
    std::istringstream first(buildTga(mapped, {0, 0, 0, 0}, {7, 8, 9}));
    image.LoadFromStream(first);
    std::istringstream second(buildTga({}, twoByTwo));
    image.LoadFromStream(second);
    EXPECT_EQ((Bytes{7, 8, 9}), image.ColorMap);
    EXPECT_EQ(twoByTwo, image.Data);
}

TEST(TgaTest, HeaderFieldsAreLittleEndian) {
    TgaFields fields;
    fields.width = 0x0201, fields.height = 3, fields.pixelDepth = 16;
    const TGAHeader header = headerOf(fields);
    EXPECT_EQ(0x0201, header.width);
    EXPECT_EQ(3, header.height);
    EXPECT_EQ(16, header.pixelDepth);
}

TEST(TgaTest, MissingFileRaisesTheOpenErrorAndChangesNothing) {
    TempDir dir;
    TTGAImage image = load(buildTga({}, twoByTwo));
    try {
        image.LoadFromFile(dir.file("absent.tga"));
        FAIL() << "no error raised";
    } catch (const KorvexError& error) {
        EXPECT_EQ(ErrorKind::fileOpen, error.kind());
        EXPECT_EQ("Cannot open file \"" + dir.file("absent.tga") + "\". No such file or directory",
                  std::string(error.what()));
    }
    EXPECT_EQ(twoByTwo, image.Data);
}

TEST(TgaTest, LoadFromFileReadsTheSameAsTheStream) {
    TempDir dir;
    dir.write("image.tga", buildTga({}, twoByTwo));
    TTGAImage image;
    image.LoadFromFile(dir.file("image.tga"));
    EXPECT_EQ(twoByTwo, image.Data);
    EXPECT_EQ(image.Data.data(), image.GetData());
}

}  // namespace
