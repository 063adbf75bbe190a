// Option value lookup, number parsing and the rate arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The parameter that follows the first parameter equal to "-" + letter or
// "--" + longName (exact case); empty when there is none or it is the last.
std::string optionValue(const std::vector<std::string>& parameters, const std::string& letter,
                        const std::string& longName);

// A signed 32-bit number: leading blanks, an optional sign, then decimal
// digits or hexadecimal ones after "$", "x", "X", "0x" or "0X", and nothing
// after them. Anything else, or a value that does not fit, gives 0.
std::int32_t parseNumber(const std::string& text);

// Upper case for the letters a to z only.
std::string upperCase(std::string text);

// Work per second in units of the prefix (0 kilo, 1 mega, 2 giga).
double instructionRate(std::uint8_t prefix, std::int64_t work, double elapsedMs);
double pixelRate(std::uint8_t prefix, std::int64_t work, double elapsedMs);
double flopRate(std::uint8_t prefix, std::int64_t work, double elapsedMs);
// Bytes per second in GB of 2^30 bytes.
double bandwidthRate(double bytes, double elapsedMs);
