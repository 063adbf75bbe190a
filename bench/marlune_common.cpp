#include "bench/marlune_common.h"

#include "bench/tables.h"

std::string optionValue(const std::vector<std::string>& parameters, const std::string& letter,
                        const std::string& longName) {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i] == "-" + letter || parameters[i] == "--" + longName)
            return i + 1 < parameters.size() ? parameters[i + 1] : std::string();
    }
    return std::string();
}

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace

std::int32_t parseNumber(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) return 0;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';

    int base = 10;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        base = 16;
        at += 1;
    } else if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    }
    if (at == text.size()) return 0;

    // Decimal numbers must fit the signed range; hexadecimal ones may use all
    // 32 bits and are read as two's complement ($FFFFFFFF is -1).
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at]);
        if (digit >= base) return 0;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return 0;
    }
    const std::uint32_t bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
    return static_cast<std::int32_t>(bits);
}

std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

namespace {

double prefixedRate(std::uint8_t prefix, std::int64_t work, double elapsedMs) {
    const double scaled = static_cast<double>(work) / resultPrefixTable[prefix].divisor;
    const double seconds = elapsedMs / 1000.0;
    return scaled / seconds;
}

}  // namespace

double instructionRate(std::uint8_t prefix, std::int64_t work, double elapsedMs) {
    return prefixedRate(prefix, work, elapsedMs);
}

double pixelRate(std::uint8_t prefix, std::int64_t work, double elapsedMs) {
    return prefixedRate(prefix, work, elapsedMs);
}

double flopRate(std::uint8_t prefix, std::int64_t work, double elapsedMs) {
    return prefixedRate(prefix, work, elapsedMs);
}

double bandwidthRate(double bytes, double elapsedMs) {
    const double gigabytes = bytes / 1024 / 1024 / 1024;
    const double seconds = elapsedMs / 1000.0;
    return gigabytes / seconds;
}
