#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/errors.h"
#include "platform/platform.h"
#include "platform/temporary_file.h"

namespace {

// A block device would lose its data, and a socket cannot be opened.
KorvexError refusedKindError(const std::string& fileName) {
    return fileCreateError(fileName, "Not a regular file, a pipe or a character device");
}

bool isFolderItself(const std::string& fileName) {
    std::error_code ignored;
    return std::filesystem::symlink_status(fileName, ignored).type() == std::filesystem::file_type::directory;
}

void writeInPlace(const std::string& fileName, const std::string& bytes) {
    int error = 0;
    std::FILE* stream = platform::openStream(fileName, error);
    if (stream == nullptr || (error = writeAndClose(stream, bytes)) != 0)
        throw fileCreateError(fileName, error);
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
    switch (platform::fileStatus(fileName).kind) {
        case platform::FileKind::stream:
            return writeInPlace(fileName, bytes);
        case platform::FileKind::other:
            throw refusedKindError(fileName);
        default:
            break;
    }
    TemporaryFile temporary(fileName);
    if (const int error = temporary.replace(fileName, bytes)) throw fileCreateError(fileName, error);
}

void checkReplaceable(const std::string& fileName) {
    switch (platform::fileStatus(fileName).kind) {
        case platform::FileKind::stream:
            if (const int error = platform::streamAccess(fileName)) throw fileCreateError(fileName, error);
            return;
        case platform::FileKind::other:
            throw refusedKindError(fileName);
        default:
            break;
    }
    if (isFolderItself(fileName)) throw fileCreateError(fileName, EISDIR);
    const TemporaryFile probe(fileName);
}

void replaceFilesAtomically(const std::vector<OutputBytes>& outputs) {
    std::string failures;
    for (const OutputBytes& output : outputs) {
        try {
            replaceFileAtomically(output.fileName, output.bytes);
        } catch (const KorvexError& error) {
            failures += (failures.empty() ? "" : ".\r\n") + std::string(error.what());
        }
    }
    if (!failures.empty()) throw KorvexError(ErrorKind::fileCreate, failures);
}

bool sameFile(const std::string& first, const std::string& second) {
    const std::string identity = platform::fileStatus(first).identity;
    return !identity.empty() && identity == platform::fileStatus(second).identity;
}
