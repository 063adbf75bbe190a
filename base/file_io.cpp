#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "base/errors.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string readWholeFile(const std::string& fileName) {
    // A FIFO would block the open, and a device can be endless; the status
    // follows links and waits for nothing.
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(fileName, error).type();
    if (type != std::filesystem::file_type::regular && type != std::filesystem::file_type::not_found &&
        type != std::filesystem::file_type::none)
        throw fileOpenError(fileName, "Not a regular file");
    errno = 0;
    FileHandle file(std::fopen(fileName.c_str(), "rb"));
    if (!file) throw fileOpenError(fileName, errno);
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, count);
    // A name that opens but cannot be read (a directory, for one) cannot be
    // opened as a file either.
    if (std::ferror(file.get())) throw fileOpenError(fileName, errno);
    return bytes;
}

bool fileExists(const std::string& fileName) {
    // Looked up, never opened: opening a FIFO would wait for a writer.
    std::error_code error;
    // A name that cannot be looked up (no permission) still takes its name.
    return std::filesystem::status(fileName, error).type() != std::filesystem::file_type::not_found;
}

bool isFolder(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_directory(name, error);
}

std::vector<std::string> regularFilesIn(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code typeError;
        if (name[0] != '.' && fs::is_regular_file(entry->status(typeError))) names.push_back(name);
    }
    if (error) throw fileOpenError(folder, error.message());
    std::sort(names.begin(), names.end());
    return names;
}
