// Splitting korvex's output, whose lines end in CR LF.
#pragma once

#include <string>
#include <vector>

// The lines of `text` without their CR LF; a last, unterminated piece is
// kept as a line.
std::vector<std::string> crlfLines(const std::string& text);
