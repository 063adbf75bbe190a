// File version information through the Windows version library.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/windows/driver_version.h"

namespace {

// A copy of the value up to its terminating zero, never reading past the
// reported length or the end of the block.
std::string copyValue(const unsigned char* block, int blockSize, const void* value, UINT length) {
    const char* text = static_cast<const char*>(value);
    const char* blockEnd = reinterpret_cast<const char*>(block) + blockSize;
    if (text == nullptr || text < reinterpret_cast<const char*>(block) || text >= blockEnd) return "";
    const std::size_t limit = std::min<std::size_t>(length, static_cast<std::size_t>(blockEnd - text));
    return std::string(text, strnlen(text, limit));
}

}  // namespace

Tmarlune_getDriverVersion::Tmarlune_getDriverVersion(const std::string& path) {
    DWORD handle = 0;
    VersionBlockSize = static_cast<int>(GetFileVersionInfoSizeA(path.c_str(), &handle));
    // A file without version information leaves every string empty.
    if (VersionBlockSize <= 0) return;
    VersionBlock = new unsigned char[VersionBlockSize]();
    if (!GetFileVersionInfoA(path.c_str(), handle, static_cast<DWORD>(VersionBlockSize), VersionBlock))
        return;

    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(VersionBlock, "\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
        length < sizeof(std::uint32_t))
        return;
    std::uint32_t translation = 0;
    std::memcpy(&translation, value, sizeof translation);
    const std::string key = translationKey(translation);

    const struct {
        const char* name;
        std::string Tmarlune_getDriverVersion::*field;
    } strings[] = {
        {"CompanyName", &Tmarlune_getDriverVersion::CompanyName},
        {"FileDescription", &Tmarlune_getDriverVersion::FileDescription},
        {"FileVersion", &Tmarlune_getDriverVersion::FileVersion},
        {"InternalName", &Tmarlune_getDriverVersion::InternalName},
        {"LegalCopyright", &Tmarlune_getDriverVersion::LegalCopyright},
        {"LegalTrademarks", &Tmarlune_getDriverVersion::LegalTrademarks},
        {"OriginalFilename", &Tmarlune_getDriverVersion::OriginalFilename},
        {"ProductName", &Tmarlune_getDriverVersion::ProductName},
        {"ProductVersion", &Tmarlune_getDriverVersion::ProductVersion},
        {"Comments", &Tmarlune_getDriverVersion::Comments},
    };
    for (const auto& string : strings) {
        value = nullptr;
        length = 0;
        // A key the file lacks stays empty.
        if (VerQueryValueA(VersionBlock, stringFileInfoPath(key, string.name).c_str(), &value, &length))
            this->*string.field = copyValue(VersionBlock, VersionBlockSize, value, length);
    }
}

Tmarlune_getDriverVersion::~Tmarlune_getDriverVersion() { delete[] VersionBlock; }
