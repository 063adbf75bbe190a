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

void writeWholeFile(const std::string& fileName, const std::string& bytes) {
    errno = 0;
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr) throw fileCreateError(fileName, errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int error = written ? errno : writeError;
        std::remove(fileName.c_str());
        throw fileCreateError(fileName, error);
    }
}

bool fileExists(const std::string& fileName) {
    FileHandle file(std::fopen(fileName.c_str(), "rb"));
    if (file) return true;
    // A file that exists but cannot be read still takes its name.
    return errno != ENOENT;
}
