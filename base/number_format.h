// "%4.4f": fixed point, four decimals, at least four characters wide, with the
// decimal separator of the user's locale.
#pragma once

#include <string>

std::string formatFixed4(double value, const std::string& decimalSeparator);
