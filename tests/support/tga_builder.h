// Builds TGA files in memory for the image tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TgaFields {
    std::uint8_t imageType = 2;
    std::uint8_t pixelDepth = 24;
    std::uint16_t width = 2;
    std::uint16_t height = 2;
    std::uint8_t descriptor = 0;
    std::string id;
    std::uint8_t colorMapType = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntrySize = 0;
};

// The 18-byte header, the ID field, `colorMap` and `pixels`, as stored.
std::string buildTga(const TgaFields& fields, const std::vector<std::uint8_t>& pixels,
                     const std::vector<std::uint8_t>& colorMap = {});
