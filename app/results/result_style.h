// How the result lines are written.
#pragma once

#include <cstdint>
#include <string>

// The separator of a block's first line, the rate prefix (0 kilo, 1 mega,
// 2 giga) and the locale's decimal separator.
struct ResultStyle {
    std::string separator;
    std::uint8_t prefix;
    std::string decimalSeparator;
};
