#include "tests/support/tga_builder.h"

namespace {

void put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

}  // namespace

std::string buildTga(const TgaSpec& spec, const std::vector<std::uint8_t>& pixels,
                     const std::vector<std::uint8_t>& colorMap) {
    std::string out;
    out += static_cast<char>(spec.id.size());
    out += static_cast<char>(spec.colorMapType);
    out += static_cast<char>(spec.imageType);
    put16(out, 0);
    put16(out, spec.colorMapLength);
    out += static_cast<char>(spec.colorMapEntrySize);
    put16(out, 0);
    put16(out, 0);
    put16(out, spec.width);
    put16(out, spec.height);
    out += static_cast<char>(spec.pixelDepth);
    out += static_cast<char>(spec.descriptor);
    out += spec.id;
    out.append(colorMap.begin(), colorMap.end());
    out.append(pixels.begin(), pixels.end());
    return out;
}
