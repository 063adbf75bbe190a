#include "base/file_io.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "base/errors.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string readWholeFile(const std::string& fileName) {
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
    FileHandle file(std::fopen(fileName.c_str(), "rb"));
    if (file) return true;
    // A file that exists but cannot be read still takes its name.
    return errno != ENOENT;
}
