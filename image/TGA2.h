// TTGAImage: reads a TGA file (raw or run-length encoded, any whole-byte
// pixel depth) into bottom-up rows, as glTexImage2D takes them.
#pragma once

#include <cstdint>
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

    // Raises "Cannot open file ..." when the file cannot be read; the image
    // is then unchanged.
    void LoadFromFile(const std::string& fileName);
    // Header values whose byte counts overflow 32 bits raise the
    // integer-overflow error. Bytes a truncated file lacks stay zero.
    void LoadFromStream(std::istream& stream);
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
