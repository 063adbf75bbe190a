// Whole-file reading with the file errors of the error report; output files
// are written through platform/output_file.h.
#pragma once

#include <string>
#include <vector>

// The whole content of a regular file (a link to one included); raises
// "Cannot open file ..." when it cannot be opened or read, and, without
// opening it, for anything else of that name (a folder, a FIFO, a device).
std::string readWholeFile(const std::string& fileName);

// Whether a file (or anything else) of that name exists.
bool fileExists(const std::string& fileName);

// Whether the name is a folder (a link to one included).
bool isFolder(const std::string& name);

// The names of the regular files in a folder (links to them included), in
// byte order, leaving out hidden ones (a leading "."), subfolders and
// anything else. Raises "Cannot open file ..." when the folder cannot be
// listed.
std::vector<std::string> regularFilesIn(const std::string& folder);
