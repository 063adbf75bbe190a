#include "platform/windows/system_directory.h"

#include "base/errors.h"

namespace windows_system {

std::string systemDirectory() {
    std::string directory(MAX_PATH, '\0');
    UINT length = GetSystemDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
    // A longer directory reports the size it needs instead of its length.
    if (length >= directory.size()) {
        directory.resize(length);
        length = GetSystemDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
    }
    if (length == 0 || length >= directory.size())
        throw KorvexError(ErrorKind::general, errorText(GetLastError()));
    directory.resize(length);
    return directory;
}

std::string errorText(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? std::string(buffer, length) : "System error " + std::to_string(error);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

}  // namespace windows_system
