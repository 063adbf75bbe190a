#include "platform/file_name.h"

#include <filesystem>

namespace platform {

std::string fileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

}  // namespace platform
