#include "image/TGA2.h"

#include <algorithm>
#include <sstream>

#include "base/errors.h"
#include "base/file_io.h"

namespace {

std::uint16_t littleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

TGAHeader parseHeader(const std::uint8_t (&raw)[18]) {
    TGAHeader header;
    header.idLength = raw[0];
    header.colorMapType = raw[1];
    header.imageType = raw[2];
    header.colorMapFirstEntry = littleEndian16(raw + 3);
    header.colorMapLength = littleEndian16(raw + 5);
    header.colorMapEntrySize = raw[7];
    header.xOrigin = littleEndian16(raw + 8);
    header.yOrigin = littleEndian16(raw + 10);
    header.width = littleEndian16(raw + 12);
    header.height = littleEndian16(raw + 14);
    header.pixelDepth = raw[16];
    header.imageDescriptor = raw[17];
    return header;
}

// Reads up to `count` bytes into `target`; what a short stream lacks stays
// as it was.
void readBytes(std::istream& stream, std::uint8_t* target, std::size_t count) {
    stream.read(reinterpret_cast<char*>(target), static_cast<std::streamsize>(count));
}

}  // namespace

void TTGAImage::LoadFromFile(const std::string& fileName, const HeaderCheck& check) {
    std::istringstream stream(readWholeFile(fileName));
    try {
        LoadFromStream(stream, check);
    } catch (const KorvexError& error) {
        // Only the pixels can overflow: a colour map takes at most 2 MB.
        if (error.kind() != ErrorKind::intOverflow) throw;
        throw KorvexError(ErrorKind::intOverflow, "Integer overflow: the header of the image \"" +
                                                      fullPathForm(fileName) +
                                                      "\" asks for more than 2147483647 bytes");
    }
}

void TTGAImage::LoadFromStream(std::istream& stream, const HeaderCheck& check) {
    std::uint8_t raw[18] = {};
    readBytes(stream, raw, sizeof raw);
    const TGAHeader header = parseHeader(raw);
    // Both sizes are checked before anything of the image changes.
    const int mapBytes = checkedMultiply(header.colorMapLength, header.colorMapEntrySize) / 8;
    const int size = checkedMultiply(checkedMultiply(header.width, header.height), header.pixelDepth / 8);
    if (check) {
        // The check sees the header as the loaded image will hold it, the
        // run-length type already lowered to its raw twin.
        TGAHeader loaded = header;
        if (loaded.imageType >= 9) loaded.imageType = static_cast<std::uint8_t>(loaded.imageType - 8);
        check(loaded);
    }

    Header = header;
    stream.ignore(Header.idLength);
    if (Header.colorMapType == 1) {
        ColorMap.assign(mapBytes, 0);
        readBytes(stream, ColorMap.data(), ColorMap.size());
    }

    Data.assign(size, 0);
    if (Header.imageType < 9)
        readBytes(stream, Data.data(), Data.size());
    else
        DecodeRLE(stream);

    if (Header.imageDescriptor & 0x10) MirrorRows();
    if (Header.imageDescriptor & 0x20) FlipRows();
}

void TTGAImage::DecodeRLE(std::istream& stream) {
    const std::size_t pixelBytes = bytesPerPixel();
    std::vector<std::uint8_t> pixel(pixelBytes);
    std::size_t out = 0;
    // A zero-byte pixel depth gives an empty image and nothing to decode.
    while (out < Data.size()) {
        const auto packetHeader = stream.get();
        if (packetHeader == std::char_traits<char>::eof()) break;
        const std::size_t count = (packetHeader & 0x7F) + 1;
        // A packet that would run past the image is cut at its end.
        const std::size_t bytes = std::min(count * pixelBytes, Data.size() - out);
        if (packetHeader & 0x80) {
            readBytes(stream, pixel.data(), pixelBytes);
            if (!stream) break;
            for (std::size_t i = 0; i < bytes; ++i) Data[out + i] = pixel[i % pixelBytes];
        } else {
            readBytes(stream, Data.data() + out, bytes);
            if (!stream) break;
            stream.ignore(static_cast<std::streamsize>(count * pixelBytes - bytes));
        }
        out += bytes;
    }
    Header.imageType = static_cast<std::uint8_t>(Header.imageType - 8);
}

void TTGAImage::MirrorRows() {
    const std::size_t pixelBytes = bytesPerPixel();
    const std::size_t rowBytes = Header.width * pixelBytes;
    if (pixelBytes == 0 || Header.width < 2) return;
    for (std::size_t row = 0; row < Header.height; ++row) {
        std::uint8_t* line = Data.data() + row * rowBytes;
        for (std::size_t left = 0, right = Header.width - 1; left < right; ++left, --right)
            std::swap_ranges(line + left * pixelBytes, line + (left + 1) * pixelBytes,
                             line + right * pixelBytes);
    }
}

void TTGAImage::FlipRows() {
    const std::size_t rowBytes = static_cast<std::size_t>(Header.width) * bytesPerPixel();
    for (std::size_t row = 0; row < Header.height / 2u; ++row) {
        std::uint8_t* top = Data.data() + row * rowBytes;
        std::uint8_t* bottom = Data.data() + (Header.height - 1 - row) * rowBytes;
        std::swap_ranges(top, top + rowBytes, bottom);
    }
}

void TTGAImage::SwapRedBlue() {
    const std::size_t pixelBytes = bytesPerPixel();
    if (pixelBytes >= 3) {
        for (std::size_t p = 0; p < Data.size() / pixelBytes; ++p)
            std::swap(Data[p * pixelBytes], Data[p * pixelBytes + 2]);
    } else if (Header.colorMapType != 0) {
        for (std::size_t e = 0; e < ColorMap.size() / 3; ++e) std::swap(ColorMap[e * 3], ColorMap[e * 3 + 2]);
    }
}
