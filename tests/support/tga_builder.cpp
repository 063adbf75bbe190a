#include "tests/support/tga_builder.h"

namespace {

void put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

}  // namespace

std::string buildTga(const TgaFields& fields, const std::vector<std::uint8_t>& pixels,
                     const std::vector<std::uint8_t>& colorMap) {
    std::string out;
    out += static_cast<char>(fields.id.size());
    out += static_cast<char>(fields.colorMapType);
    out += static_cast<char>(fields.imageType);
    put16(out, 0);
    put16(out, fields.colorMapLength);
    out += static_cast<char>(fields.colorMapEntrySize);
    put16(out, 0);
    put16(out, 0);
    put16(out, fields.width);
    put16(out, fields.height);
    out += static_cast<char>(fields.pixelDepth);
    out += static_cast<char>(fields.descriptor);
    out += fields.id;
    out.append(colorMap.begin(), colorMap.end());
    out.append(pixels.begin(), pixels.end());
    return out;
}
