// Whole-file reading and writing with the file errors of the error report.
#pragma once

#include <string>

// The whole content of a file; raises "Cannot open file ..." when it cannot
// be opened or read.
std::string readWholeFile(const std::string& fileName);

// Creates or replaces a file with `bytes`; raises "Cannot create file ..."
// when it cannot be created or written, and then leaves no partial file.
void writeWholeFile(const std::string& fileName, const std::string& bytes);

// Whether a file (or anything else) of that name exists.
bool fileExists(const std::string& fileName);
