// Exclusive creation and atomic replacement of output files on Linux.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace platform {

std::FILE* createNewFile(const std::string& fileName, int& error) {
    const int descriptor = open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        error = errno;
        close(descriptor);
        unlink(fileName.c_str());
    }
    return file;
}

int replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace platform
