#include "platform/file_name.h"

namespace platform {

std::string fileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

}  // namespace platform
