// TTGAImage: reads a TGA file (raw or run-length encoded, any whole-byte
// pixel depth) into bottom-up rows, as glTexImage2D takes them.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#pragma pack(push, 1)
struct TGAHeader {
    std::uint8_t idLength;
    std::uint8_t colorMapType;
    std::uint8_t imageType;
    std::uint16_t colorMapFirstEntry;
    std::uint16_t colorMapLength;
    std::uint8_t colorMapEntrySize;
    std::uint16_t xOrigin;
    std::uint16_t yOrigin;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t pixelDepth;
    std::uint8_t imageDescriptor;
};
#pragma pack(pop)
static_assert(sizeof(TGAHeader) == 18, "the TGA header is 18 bytes");

class TTGAImage {
public:
    TTGAImage() = default;
    virtual ~TTGAImage() = default;

    // Sees the header once its byte counts are known, before anything is
    // allocated or changed, with the image type a run-length image has once
    // decoded; it refuses the image by raising.
    using HeaderCheck = std::function<void(const TGAHeader&)>;

    // Raises "Cannot open file ..." when the file cannot be read, and the
    // integer-overflow error naming the file for a header whose pixels
    // overflow; the image is then unchanged.
    void LoadFromFile(const std::string& fileName, const HeaderCheck& check = {});
    // Header values whose byte counts overflow 32 bits raise the
    // integer-overflow error. Bytes a truncated file lacks stay zero.
    void LoadFromStream(std::istream& stream, const HeaderCheck& check = {});
    // Exchanges the first and third byte of every pixel (or of every 3-byte
    // colour-map entry when pixels are narrower than 3 bytes).
    void SwapRedBlue();
    const std::uint8_t* GetData() const { return Data.data(); }

    TGAHeader Header{};
    std::vector<std::uint8_t> Data;
    std::vector<std::uint8_t> ColorMap;

private:
    int bytesPerPixel() const { return Header.pixelDepth / 8; }
    void DecodeRLE(std::istream& stream);
    void MirrorRows();
    void FlipRows();
};
