// Test images that are missing or damaged: the run either refuses them with
// a message naming the file, or reads them without leaving the image.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/integration/bad_input_run.h"
#include "tests/support/tga_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const lastImage = "Images/spectrum.tga";

Bytes countingBytes(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    return bytes;
}

TgaFields sized(std::uint16_t width, std::uint16_t height, std::uint8_t depth = 24, std::uint8_t type = 2) {
    TgaFields fields;
    fields.width = width, fields.height = height, fields.pixelDepth = depth, fields.imageType = type;
    return fields;
}

TEST_F(BadInputRun, MissingImageIsReportedWithItsFullPath) {
    std::filesystem::remove(directory_.file(lastImage));
    const std::set<std::string> before = entries();
    const KorvexRun result = run();
    expectUnhandledError(result, "EFOpenError",
                         "Cannot open file \"" + fullPath(lastImage) + "\". No such file or directory.");
    EXPECT_EQ("", result.out);
    EXPECT_EQ(before, entries());
}

TEST_F(BadInputRun, ImagesThatAreNotTrueColourOf24BitsAreRefusedByName) {
    TgaFields mapped = sized(2, 2, 8, 1);
    mapped.colorMapType = 1, mapped.colorMapLength = 2, mapped.colorMapEntrySize = 24;
    const std::pair<const char*, std::string> cases[] = {
        {"8-bit grey", buildTga(sized(4, 4, 8, 3), countingBytes(16))},
        {"8-bit colour-mapped", buildTga(mapped, {0, 1, 1, 0}, countingBytes(6))},
        {"32-bit true colour", buildTga(sized(4, 4, 32), countingBytes(64))},
        {"16-bit true colour", buildTga(sized(4, 4, 16), countingBytes(32))},
    };
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        directory_.write(lastImage, file);
        const std::set<std::string> before = entries();
        const KorvexRun result = run();
        expectUnhandledError(
            result, "Exception",
            "The image \"" + fullPath(lastImage) + "\" is not a 24-bit true-colour TGA file.");
        EXPECT_EQ(before, entries());
    }
}

TEST_F(BadInputRun, AnImageHeaderWhoseSizeOverflowsRaisesIntegerOverflowNamingTheFile) {
    directory_.write(lastImage, buildTga(sized(65535, 65535), countingBytes(30)));
    const std::set<std::string> before = entries();
    expectUnhandledError(run(), "EIntOverflow",
                         "Integer overflow: the header of the image \"" + fullPath(lastImage) +
                             "\" asks for more than 2147483647 bytes.");
    EXPECT_EQ(before, entries());
}

// Under the sanitizers these runs also prove that neither the reader nor the
// upload touches a byte outside the pixel array.
TEST_F(BadInputRun, DamagedTrueColourImagesStillRun) {
    TgaFields runLength = sized(4, 2, 24, 10);
    Bytes pastTheEnd = {0xFF, 9, 8, 7, 0x7F};
    const Bytes raw = countingBytes(128 * 3);
    pastTheEnd.insert(pastTheEnd.end(), raw.begin(), raw.end());
    const std::pair<const char*, std::string> cases[] = {
        {"truncated halfway", buildTga(sized(64, 64), countingBytes(64 * 64 * 3 / 2))},
        {"run-length packets that run past the end", buildTga(runLength, pastTheEnd)},
        {"an odd width, rows not a multiple of 4 bytes", buildTga(sized(5, 3), countingBytes(5 * 3 * 3))},
        {"one pixel", buildTga(sized(1, 1), countingBytes(3))},
    };
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        directory_.write(lastImage, file);
        expectCompletedRun(run(), directory_);
    }
}

}  // namespace
