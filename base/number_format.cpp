#include "base/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// snprintf runs in the C locale, so its separator is always the full stop.
std::string withSeparator(std::string text, const std::string& decimalSeparator) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
    return text;
}

}  // namespace

std::string formatFixed4(double value, const std::string& decimalSeparator) {
    char text[400];
    std::snprintf(text, sizeof text, "%4.4f", value);
    return withSeparator(text, decimalSeparator);
}

std::string formatSignificant(double value, int digits, const std::string& decimalSeparator) {
    const double magnitude = std::fabs(value);
    const int leading =
        std::isfinite(magnitude) && magnitude > 0.0 ? static_cast<int>(std::floor(std::log10(magnitude))) : 0;
    const int decimals = std::clamp(digits - 1 - leading, 0, 30);
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return withSeparator(text, decimalSeparator);
}

std::string formatTrimmed(double value, const std::string& decimalSeparator) {
    std::string text = formatSignificant(value, 6, ".");
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return withSeparator(text, decimalSeparator);
}
