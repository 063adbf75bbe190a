// The text form of a list of lines: every line followed by CR LF, as korvex
// writes its program strings and its results file.
#pragma once

#include <string>
#include <vector>

std::string crlfText(const std::vector<std::string>& lines);
