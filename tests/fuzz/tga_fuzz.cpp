// Any byte string as a TGA file: loading it and swapping red and blue must
// stay inside the image's arrays, leave an image of the header's size, and
// raise the overflow error for exactly the headers whose sizes overflow.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "base/errors.h"
#include "image/TGA2.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// A header may ask for up to 2 GB of pixels without overflowing. Such
// allocations would hit libFuzzer's malloc limit, and even a few megabytes
// slow every input down a hundredfold while testing nothing but memory, so
// headers asking for more than 256 KB (room for a row of the widest 32-bit
// image) are skipped. Overflowing ones are still loaded: they fail before
// anything is allocated.
constexpr std::uint64_t largestImageBytes = 256u << 10;
constexpr std::uint64_t largestInt = 0x7FFFFFFF;

struct Request {
    std::uint64_t idLength, colorMapType, imageType, colorMapBytes, width, height, pixelBytes, descriptor;
};

// The loader reads the bytes a short header lacks as zero; so does this.
Request requestOf(const std::uint8_t* data, std::size_t size) {
    const auto byte = [&](std::size_t at) -> std::uint64_t { return at < size ? data[at] : 0; };
    const auto word = [&](std::size_t at) { return byte(at) | byte(at + 1) << 8; };
    return {byte(0), byte(1), byte(2), word(5) * byte(7) / 8, word(12), word(14), byte(16) / 8, byte(17)};
}

bool overflows(const Request& r) {
    return r.width * r.height > largestInt || r.width * r.height * r.pixelBytes > largestInt;
}

// An uncompressed image stored bottom-up and left to right loads its pixel
// bytes as they stand in the file, with zeros where the file ends early.
void requireRawBytesKept(const Request& r, const std::string& file, const TTGAImage& image) {
    if (r.imageType >= 9 || (r.descriptor & 0x30) != 0) return;
    const std::uint64_t offset = 18 + r.idLength + (r.colorMapType == 1 ? r.colorMapBytes : 0);
    std::string expected = offset < file.size() ? file.substr(offset, image.Data.size()) : std::string();
    expected.resize(image.Data.size(), '\0');
    require(expected.empty() || std::memcmp(expected.data(), image.Data.data(), expected.size()) == 0,
            "raw pixel bytes load unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Request request = requestOf(data, size);
    const std::uint64_t pixelArrayBytes = request.width * request.height * request.pixelBytes;
    if (!overflows(request) && pixelArrayBytes > largestImageBytes) return -1;

    const std::string file(reinterpret_cast<const char*>(data), size);
    std::istringstream stream(file);
    TTGAImage image;
    try {
        image.LoadFromStream(stream);
        require(!overflows(request), "an overflowing header raises the overflow error");
    } catch (const KorvexError& error) {
        require(error.kind() == ErrorKind::intOverflow,
                "the only error a stream load raises is the overflow");
        require(overflows(request), "only an overflowing header raises");
        require(image.Header.width == 0 && image.Data.empty(), "a failed load leaves the image as it was");
        return 0;
    }
    require(image.Data.size() == pixelArrayBytes, "the pixel array holds width x height x bytes per pixel");
    require(image.Header.imageType == (request.imageType < 9 ? request.imageType : request.imageType - 8),
            "a decoded run-length image reads as its uncompressed type");
    requireRawBytesKept(request, file, image);

    const TTGAImage loaded = image;
    image.SwapRedBlue();
    image.SwapRedBlue();
    require(image.Data == loaded.Data && image.ColorMap == loaded.ColorMap,
            "swapping twice restores the bytes");
    return 0;
}
