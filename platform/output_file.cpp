#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/errors.h"
#include "platform/platform.h"

namespace {

// Writes and closes `file`; 0, or the errno-style reason of the failure.
int writeAndClose(std::FILE* file, const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno != 0 ? errno : EIO;
    const bool closed = std::fclose(file) == 0;
    if (!written) return writeError;
    return closed ? 0 : (errno != 0 ? errno : EIO);
}

// A new, empty temporary file beside `fileName`, opened for writing; its
// name goes to `temporaryName`. Raises the create error for `fileName`.
std::FILE* createTemporaryBeside(const std::string& fileName, std::string& temporaryName) {
    for (int number = 0;; ++number) {
        temporaryName = fileName + "." + std::to_string(number) + ".tmp";
        int error = 0;
        if (std::FILE* file = platform::createNewFile(temporaryName, error)) return file;
        if (error != EEXIST) throw fileCreateError(fileName, error);
    }
}

}  // namespace

bool writeNewFile(const std::string& fileName, const std::string& bytes) {
    int error = 0;
    std::FILE* file = platform::createNewFile(fileName, error);
    if (file == nullptr) {
        if (error == EEXIST) return false;
        throw fileCreateError(fileName, error);
    }
    if (const int writeError = writeAndClose(file, bytes)) {
        std::remove(fileName.c_str());
        throw fileCreateError(fileName, writeError);
    }
    return true;
}

void replaceFileAtomically(const std::string& fileName, const std::string& bytes) {
    std::string temporaryName;
    std::FILE* file = createTemporaryBeside(fileName, temporaryName);
    int error = writeAndClose(file, bytes);
    if (error == 0) error = platform::replaceFile(temporaryName, fileName);
    if (error != 0) {
        std::remove(temporaryName.c_str());
        throw fileCreateError(fileName, error);
    }
}

void checkReplaceable(const std::string& fileName) {
    std::error_code ignored;
    if (std::filesystem::symlink_status(fileName, ignored).type() == std::filesystem::file_type::directory)
        throw fileCreateError(fileName, EISDIR);
    std::string temporaryName;
    std::fclose(createTemporaryBeside(fileName, temporaryName));
    std::remove(temporaryName.c_str());
}
