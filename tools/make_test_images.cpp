// Writes korvex's three test images, synthetic 24-bit true-colour TGA files,
// into the directory given as the only argument (usually Images/):
//   memorial_orig_tm.tga     256 x 256, soft rings around the centre
//   3dsmax5beta_image1.tga   320 x 200, a checkerboard over a diagonal ramp
//   spectrum.tga             510 x 64,  a hue spectrum fading to white; its
//                            rows of 1530 bytes are not whole 4-byte words
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace {

struct Rgb {
    double r, g, b;
};

std::uint8_t toByte(double value) {
    const double clamped = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    return static_cast<std::uint8_t>(std::lround(clamped * 255.0));
}

void put16(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// An uncompressed true-colour TGA, rows bottom-up, pixels in BGR order.
// `pixel` receives x and y in [0, 1], y growing upwards.
std::string tgaImage(int width, int height, const std::function<Rgb(double, double)>& pixel) {
    std::string out;
    out += '\0';  // no identification field
    out += '\0';  // no colour map
    out += '\2';  // uncompressed true colour
    put16(out, 0);
    put16(out, 0);
    out += '\0';
    put16(out, 0);
    put16(out, 0);
    put16(out, width);
    put16(out, height);
    out += static_cast<char>(24);
    out += '\0';  // bottom-up rows, left to right
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb colour = pixel((x + 0.5) / width, (y + 0.5) / height);
            out += static_cast<char>(toByte(colour.b));
            out += static_cast<char>(toByte(colour.g));
            out += static_cast<char>(toByte(colour.r));
        }
    }
    return out;
}

Rgb rings(double x, double y) {
    const double dx = x - 0.5, dy = y - 0.5;
    const double radius = std::sqrt(dx * dx + dy * dy);
    const double wave = 0.5 + 0.5 * std::cos(radius * 40.0);
    return {0.3 + 0.6 * wave, 0.2 + 0.5 * wave * (1.0 - radius), 0.5 + 0.4 * (1.0 - wave)};
}

Rgb checkerboard(double x, double y) {
    const bool light = (static_cast<int>(x * 16.0) + static_cast<int>(y * 10.0)) % 2 == 0;
    const double ramp = 0.5 * (x + y);
    const double shade = light ? 0.85 : 0.25;
    return {shade * ramp + 0.1, shade * (1.0 - ramp) + 0.1, shade};
}

Rgb spectrum(double x, double y) {
    const double hue = x * 6.0;
    const auto channel = [hue](double offset) {
        const double distance = std::fabs(std::fmod(hue + offset, 6.0) - 3.0);
        return distance < 1.0 ? 0.0 : (distance > 2.0 ? 1.0 : distance - 1.0);
    };
    const double white = 1.0 - y;
    return {channel(0.0) + (1.0 - channel(0.0)) * white * white,
            channel(4.0) + (1.0 - channel(4.0)) * white * white,
            channel(2.0) + (1.0 - channel(2.0)) * white * white};
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    const bool written = writeFile(directory + "/memorial_orig_tm.tga", tgaImage(256, 256, rings)) &&
                         writeFile(directory + "/3dsmax5beta_image1.tga", tgaImage(320, 200, checkerboard)) &&
                         writeFile(directory + "/spectrum.tga", tgaImage(510, 64, spectrum));
    if (!written) {
        std::fprintf(stderr, "cannot write the images into %s\n", directory.c_str());
        return 1;
    }
    return 0;
}
