#include "app/test_textures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/programs/program_limits.h"
#include "base/errors.h"
#include "image/TGA2.h"
#include "tests/support/recording_gl.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tga_builder.h"

namespace {

using recording_gl::call;
constexpr GLenum rect = glenum::TEXTURE_RECTANGLE_NV;

GLuint nextName = 0;
void KVX_APIENTRY nameTextures(GLsizei count, GLuint* names) {
    recording_gl::calls().push_back(call("glGenTextures", count));
    for (GLsizei i = 0; i < count; ++i) names[i] = ++nextName;
}

void writeImage(const TempDir& directory, const std::string& name, std::uint16_t width, std::uint16_t height,
                std::uint8_t depth = 24) {
    TgaFields fields;
    fields.width = width;
    fields.height = height;
    fields.pixelDepth = depth;
    const std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * depth / 8, 0x40);
    directory.write("Images/" + name, buildTga(fields, pixels));
}

class TestTexturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(directory_.file("Images"));
        writeImage(directory_, "memorial_orig_tm.tga", 2, 2);
        writeImage(directory_, "3dsmax5beta_image1.tga", 3, 1);
        writeImage(directory_, "spectrum.tga", 5, 2);
        nextName = 0;
        gl::glGenTextures = nameTextures;
    }

    TempDir directory_{true};
    recording_gl::Install fakes_;
};

std::string upload(int width, int height) {
    return call("glTexImage2D", rect, 0, static_cast<GLint>(glenum::RGB), width, height, 0, glenum::RGB,
                glenum::UNSIGNED_BYTE, static_cast<const void*>(&rect));
}

// The calls that make image texture `name` from a width x height image.
std::vector<std::string> imageTexture(GLuint name, int width, int height, int wrap) {
    return {
        call("glBindTexture", rect, name),
        upload(width, height),
        call("glTexParameteri", rect, glenum::TEXTURE_WRAP_S, wrap),
        call("glTexParameteri", rect, glenum::TEXTURE_WRAP_T, wrap),
        call("glTexParameteri", rect, glenum::TEXTURE_MIN_FILTER, 0x2703),
        call("glTexParameteri", rect, glenum::TEXTURE_MAG_FILTER, 0x2601),
    };
}

TEST_F(TestTexturesTest, UploadsEachImageWithItsOwnSizeAndWrapMode) {
    loadTestTextures();
    std::vector<std::string> expected = {call("glGenTextures", 3),
                                         call("glPixelStorei", glenum::UNPACK_ALIGNMENT, 1)};
    for (const auto& image :
         {imageTexture(1, 2, 2, 0x812F), imageTexture(2, 3, 1, 0x812F), imageTexture(3, 5, 2, 0x2900)})
        expected.insert(expected.end(), image.begin(), image.end());
    expected.insert(expected.end(), {
                                        call("glGenTextures", 1),
                                        call("glBindTexture", rect, 4u),
                                        upload(512, 768),
                                        call("glTexParameteri", rect, glenum::TEXTURE_MAG_FILTER, 0x2601),
                                        call("glTexParameteri", rect, glenum::TEXTURE_MIN_FILTER, 0x2601),
                                    });
    EXPECT_EQ(recording_gl::calls(), expected);
    EXPECT_EQ(testTextures.target, rect);
    EXPECT_EQ(testTextures.imageTextures[2], 3u);
    EXPECT_EQ(testTextures.blankTexture, 4u);
}

TEST_F(TestTexturesTest, RefusesAnImageThatIsNotTwentyFourBitNamingTheFile) {
    writeImage(directory_, "spectrum.tga", 5, 2, 32);
    try {
        loadTestTextures();
        FAIL() << "no error";
    } catch (const KorvexError& error) {
        EXPECT_NE(std::string(error.what()).find("spectrum.tga"), std::string::npos) << error.what();
    }
    EXPECT_EQ(recording_gl::countCalls("glTexImage2D"), 2);
}

// Sizes the driver cannot sample are refused from the header, before the
// pixels are allocated: a header may claim 2 GB over a few bytes.
TEST_F(TestTexturesTest, RefusesImagesWithoutPixelsOrLargerThanTheDriversRectangleTexturesNamingTheFile) {
    const ProgramLimits saved = programLimits;
    programLimits.maxRectangleTextureSize = 16384;
    const std::string smaller = "\" is smaller than the smallest rectangle texture (1 x 1)";
    const std::string larger = "\" is larger than the driver's largest rectangle texture (16384 x 16384)";
    const struct {
        std::uint16_t width, height;
        const std::string& reason;
    } cases[] = {{0, 2, smaller}, {5, 0, smaller}, {16385, 1, larger}, {65535, 10922, larger}};
    for (const auto& c : cases) {
        TgaFields fields;
        fields.width = c.width, fields.height = c.height, fields.pixelDepth = 24;
        directory_.write("Images/spectrum.tga", buildTga(fields, std::vector<std::uint8_t>(30, 0x40)));
        recording_gl::clearCalls();
        std::string message;
        try {
            loadTestTextures();
        } catch (const KorvexError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, "The image \"" + directory_.file("Images/spectrum.tga") + c.reason)
            << c.width << " x " << c.height;
        EXPECT_EQ(recording_gl::countCalls("glTexImage2D"), 2) << "the two images that fit were uploaded";
    }
    programLimits = saved;
}

TEST_F(TestTexturesTest, AMissingImageRaisesTheOpenError) {
    std::filesystem::remove(directory_.file("Images/3dsmax5beta_image1.tga"));
    try {
        loadTestTextures();
        FAIL() << "no error";
    } catch (const KorvexError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::fileOpen);
    }
}

TEST(BundledImages, AreTwentyFourBitImagesOfDifferentSizesOneWithUnalignedRows) {
    const std::string directory = std::string(KORVEX_SOURCE_DIR) + "/Images/";
    bool unalignedRow = false;
    std::vector<std::pair<int, int>> sizes;
    for (const char* name : {"memorial_orig_tm.tga", "3dsmax5beta_image1.tga", "spectrum.tga"}) {
        TTGAImage image;
        image.LoadFromFile(directory + name);
        EXPECT_EQ(image.Header.imageType, 2) << name;
        EXPECT_EQ(image.Header.pixelDepth, 24) << name;
        EXPECT_EQ(std::find(sizes.begin(), sizes.end(),
                            std::make_pair<int, int>(image.Header.width, image.Header.height)),
                  sizes.end())
            << name;
        sizes.emplace_back(image.Header.width, image.Header.height);
        unalignedRow = unalignedRow || image.Header.width * 3 % 4 != 0;
    }
    EXPECT_TRUE(unalignedRow);
}

}  // namespace
