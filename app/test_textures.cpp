#include "app/test_textures.h"

#include <vector>

#include "app/bundled_data.h"
#include "app/programs/program_limits.h"
#include "base/errors.h"
#include "bench/marlune_glwindow.h"
#include "gl/GL.h"
#include "image/TGA2.h"
#include "platform/platform.h"

TestTextures testTextures;

namespace {

struct TestImage {
    const char* path;
    GLenum wrap;
};
const TestImage testImages[3] = {
    {"Images\\memorial_orig_tm.tga", glenum::CLAMP_TO_EDGE},
    {"Images\\3dsmax5beta_image1.tga", glenum::CLAMP_TO_EDGE},
    {"Images\\spectrum.tga", glenum::CLAMP},
};

constexpr std::uint8_t trueColourType = 2;

[[noreturn]] void refuseImage(const std::string& path, const std::string& reason) {
    throw KorvexError(ErrorKind::general,
                      "The image \"" + platform::current().fullPath(path) + "\" " + reason);
}

// Only 24-bit true colour matches the RGB upload; anything else would be
// read with the wrong size. An image without pixels, or larger than the
// driver's rectangle textures, would leave the programs sampling nothing.
// The header alone decides, so a refused image allocates nothing.
void checkRgbHeader(const TGAHeader& header, const std::string& path) {
    if (header.imageType != trueColourType || header.pixelDepth != 24)
        refuseImage(path, "is not a 24-bit true-colour TGA file");
    if (header.width == 0 || header.height == 0)
        refuseImage(path, "is smaller than the smallest rectangle texture (1 x 1)");
    const int largest = programLimits.maxRectangleTextureSize;
    if (largest > 0 && (header.width > largest || header.height > largest))
        refuseImage(path, "is larger than the driver's largest rectangle texture (" +
                              std::to_string(largest) + " x " + std::to_string(largest) + ")");
}

// Loads an image in RGB order.
void loadRgbImage(TTGAImage& image, const std::string& path) {
    image.LoadFromFile(path, [&](const TGAHeader& header) { checkRgbHeader(header, path); });
    image.SwapRedBlue();
}

void uploadRgb(int width, int height, const void* pixels) {
    gl::glTexImage2D(testTextures.target, 0, glenum::RGB, width, height, 0, glenum::RGB,
                     glenum::UNSIGNED_BYTE, pixels);
}

void createImageTexture(const TTGAImage& image, int index) {
    const GLenum target = testTextures.target;
    gl::glBindTexture(target, testTextures.imageTextures[index]);
    uploadRgb(image.Header.width, image.Header.height, image.GetData());
    gl::glTexParameteri(target, glenum::TEXTURE_WRAP_S, static_cast<GLint>(testImages[index].wrap));
    gl::glTexParameteri(target, glenum::TEXTURE_WRAP_T, static_cast<GLint>(testImages[index].wrap));
    gl::glTexParameteri(target, glenum::TEXTURE_MIN_FILTER, glenum::LINEAR_MIPMAP_LINEAR);
    gl::glTexParameteri(target, glenum::TEXTURE_MAG_FILTER, glenum::LINEAR);
}

void createBlankTexture() {
    const std::vector<std::uint8_t> scratch(frameWidth * frameHeight * 3);
    gl::glGenTextures(1, &testTextures.blankTexture);
    gl::glBindTexture(testTextures.target, testTextures.blankTexture);
    uploadRgb(frameWidth, frameHeight, scratch.data());
    gl::glTexParameteri(testTextures.target, glenum::TEXTURE_MAG_FILTER, glenum::LINEAR);
    gl::glTexParameteri(testTextures.target, glenum::TEXTURE_MIN_FILTER, glenum::LINEAR);
}

}  // namespace

std::vector<std::string> testImageFiles() {
    std::vector<std::string> files;
    for (const TestImage& testImage : testImages)
        files.push_back(bundledDataFile(platform::current().nativePath(testImage.path)));
    return files;
}

void loadTestTextures() {
    testTextures.target = glenum::TEXTURE_RECTANGLE_NV;
    const std::vector<std::string> files = testImageFiles();
    TTGAImage image;
    for (int index = 0; index < 3; ++index) {
        loadRgbImage(image, files[static_cast<std::size_t>(index)]);
        if (index == 0) {
            gl::glGenTextures(3, testTextures.imageTextures);
            // Rows of width x 3 bytes need not fill whole 4-byte words.
            gl::glPixelStorei(glenum::UNPACK_ALIGNMENT, 1);
        }
        createImageTexture(image, index);
    }
    createBlankTexture();
}
