// "%4.4f": fixed point, four decimals, at least four characters wide, with the
// decimal separator of the user's locale.
#pragma once

#include <string>

std::string formatFixed4(double value, const std::string& decimalSeparator);

// `digits` significant digits in fixed point, never an exponent ("4.21",
// "33.7", "0.238", "1234"), with the given decimal separator.
std::string formatSignificant(double value, int digits, const std::string& decimalSeparator);

// Up to six significant digits without trailing zeros, never an exponent
// ("1", "0.5", "2.25"), with the given decimal separator.
std::string formatTrimmed(double value, const std::string& decimalSeparator);
