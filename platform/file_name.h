// The parts of a path, whichever separator the OS writes.
#pragma once

#include <string>

namespace platform {

// What follows the last "/" or "\", or the whole path without either.
std::string fileNameOf(const std::string& path);

// The folder that holds `path` by this OS's separators: "." for a bare name.
std::string folderOf(const std::string& path);

}  // namespace platform
