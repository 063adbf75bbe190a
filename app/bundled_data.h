// Where the bundled program (fasm_1.txt) and test images (Images/) are read.
#pragma once

#include <string>

// The file to open for a bundled file, given as a relative path in this
// platform's form. The working directory always comes first. Only when the
// file is missing there and the program runs from an installation, that is
// when the file exists in the data folder installed beside the program's
// bin/ folder, is the installed copy taken. Otherwise the name is returned
// unchanged, so that a missing file is reported in the working directory.
std::string bundledDataFile(const std::string& name);

// The same choice with the installed data folder given.
std::string bundledDataFile(const std::string& name, const std::string& installedFolder);
