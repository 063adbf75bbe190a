// Whole-file reading with the file errors of the error report; output files
// are written through platform/output_file.h.
#pragma once

#include <string>

// The whole content of a file; raises "Cannot open file ..." when it cannot
// be opened or read.
std::string readWholeFile(const std::string& fileName);

// Whether a file (or anything else) of that name exists.
bool fileExists(const std::string& fileName);
