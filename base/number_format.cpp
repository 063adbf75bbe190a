#include "base/number_format.h"

#include <cstdio>

std::string formatFixed4(double value, const std::string& decimalSeparator) {
    char text[400];
    std::snprintf(text, sizeof text, "%4.4f", value);
    std::string result = text;
    // snprintf runs in the C locale, so its separator is always the full stop.
    const std::size_t point = result.find('.');
    if (point != std::string::npos) result.replace(point, 1, decimalSeparator);
    return result;
}
