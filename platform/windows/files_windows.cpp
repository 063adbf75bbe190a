// Exclusive creation, atomic replacement, in-place streams and file
// identities of output files on Windows.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/file_name.h"
#include "platform/platform.h"

namespace platform {

namespace {

// The errno-style reason of a failed file call.
int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
            return EINVAL;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        default:
            return EIO;
    }
}

bool isStream(DWORD fileType) { return fileType == FILE_TYPE_CHAR || fileType == FILE_TYPE_PIPE; }

// Windows names ignore case: names that differ only in case are one name.
std::string caseless(std::string name) {
    if (!name.empty()) CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

}  // namespace

std::FILE* createNewFile(const std::string& fileName, int& error) {
    // CREATE_NEW takes no existing name, a link included. Deleting stays
    // possible while the file is open, so that an interrupted run can remove
    // its temporary file.
    const HANDLE handle = CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = errnoOf(GetLastError());
        // A folder of that name answers "access denied", yet it takes the name.
        if (error == EACCES && GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES)
            error = EEXIST;
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
    std::FILE* file = descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
    if (file == nullptr) {
        error = errno != 0 ? errno : EIO;
        if (descriptor < 0)
            CloseHandle(handle);
        else
            _close(descriptor);
        DeleteFileA(fileName.c_str());
    }
    return file;
}

int replaceFile(const std::string& from, const std::string& to) {
    // The C runtime's rename refuses an existing target.
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    return errnoOf(GetLastError());
}

namespace {

// Opens what a name leads to for its attributes only, links followed.
HANDLE openForStatus(const std::string& fileName) {
    return CreateFileA(fileName.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The volume serial number and file index; empty where the file has none.
std::string identityOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) return "";
    return std::to_string(information.dwVolumeSerialNumber) + ":" +
           std::to_string(information.nFileIndexHigh) + ":" + std::to_string(information.nFileIndexLow);
}

FileStatus statusOf(HANDLE handle, const std::string& fileName) {
    FileStatus status;
    const DWORD type = GetFileType(handle);
    if (isStream(type)) {
        status.kind = FileKind::stream;
        // A device has no file index: its full name tells it apart.
        status.identity = identityOf(handle);
        if (status.identity.empty()) status.identity = "device " + caseless(fullPath(fileName));
    } else if (type == FILE_TYPE_DISK) {
        BY_HANDLE_FILE_INFORMATION information{};
        const bool folder = GetFileInformationByHandle(handle, &information) &&
                            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        status.kind = folder ? FileKind::folder : FileKind::regular;
        status.identity = identityOf(handle);
    } else {
        status.kind = FileKind::other;
    }
    return status;
}

}  // namespace

FileStatus fileStatus(const std::string& fileName) {
    const HANDLE handle = openForStatus(fileName);
    if (handle != INVALID_HANDLE_VALUE) {
        const FileStatus status = statusOf(handle, fileName);
        CloseHandle(handle);
        return status;
    }
    const HANDLE folder = openForStatus(folderOf(fileName));
    if (folder == INVALID_HANDLE_VALUE) return {};
    std::string identity = identityOf(folder);
    CloseHandle(folder);
    if (identity.empty()) return {};
    return {FileKind::none, identity + "/" + caseless(std::filesystem::path(fileName).filename().string())};
}

std::FILE* openStream(const std::string& fileName, int& error) {
    const int descriptor = _open(fileName.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor < 0) {
        error = errno;
        return nullptr;
    }
    // Opened without truncating: a regular file that took the name since it
    // was looked at must not be written over.
    std::FILE* file = nullptr;
    if (!isStream(GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)))))
        error = EAGAIN;
    else if ((file = _fdopen(descriptor, "wb")) == nullptr)
        error = errno;
    if (file == nullptr) _close(descriptor);
    return file;
}

// Devices and pipes show no permissions before they are opened, and opening
// a pipe to ask would take its one connection.
int streamAccess(const std::string&) { return 0; }

namespace {

// What the handler removes, set before the file exists. The handler runs on
// a thread of its own while the file may be open, which its sharing allows.
char pendingRemoval[32768];
volatile LONG removalPending = 0;
bool handlerAdded = false;

BOOL WINAPI removeOnConsoleStop(DWORD) {
    if (removalPending != 0) DeleteFileA(pendingRemoval);
    // The next handler ends the process as it would have.
    return FALSE;
}

}  // namespace

void removeOnInterrupt(const std::string& fileName) {
    InterlockedExchange(&removalPending, 0);
    if (fileName.empty() || fileName.size() >= sizeof pendingRemoval) {
        if (handlerAdded) SetConsoleCtrlHandler(removeOnConsoleStop, FALSE);
        handlerAdded = false;
        return;
    }
    std::memcpy(pendingRemoval, fileName.c_str(), fileName.size() + 1);
    InterlockedExchange(&removalPending, 1);
    if (!handlerAdded) handlerAdded = SetConsoleCtrlHandler(removeOnConsoleStop, TRUE) != 0;
}

}  // namespace platform
