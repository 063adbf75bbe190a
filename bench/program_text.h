// Program texts: a list of 8-bit lines, and the one string the driver, the
// console and the disk all receive.
#pragma once

#include <string>
#include <vector>

using ProgramSource = std::vector<std::string>;

// Splits at CR LF, lone CR and lone LF; a final line without a break is
// still a line; a NUL byte ends the text; no bytes give no lines. Leading
// UTF-8 byte-order marks are dropped.
ProgramSource splitProgramText(const std::string& bytes);

// Every line followed by CR LF.
std::string programString(const ProgramSource& source);

// The lines of a program text file; raises "Cannot open file ..." when it
// cannot be read.
ProgramSource loadProgramText(const std::string& fileName);
