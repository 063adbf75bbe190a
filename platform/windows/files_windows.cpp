// Exclusive creation and atomic replacement of output files on Windows.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace platform {

std::FILE* createNewFile(const std::string& fileName, int& error) {
    // _O_EXCL makes the C runtime ask for CREATE_NEW.
    const int descriptor = _open(fileName.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                 _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        error = errno;
        // A folder of that name answers "access denied", yet it takes the name.
        if (error == EACCES && GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES)
            error = EEXIST;
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        error = errno;
        _close(descriptor);
        _unlink(fileName.c_str());
    }
    return file;
}

int replaceFile(const std::string& from, const std::string& to) {
    // The C runtime's rename refuses an existing target.
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

}  // namespace platform
