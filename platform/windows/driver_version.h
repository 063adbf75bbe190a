// File version information: the ten standard strings of a file's version
// resource, read through the first translation. The reading itself is the
// Windows backend's; the key formatting is shared.
#pragma once

#include <cstdint>
#include <string>

// "040904B0" for language 0x0409 and code page 0x04B0: the first 32-bit
// translation value t gives language (t & 0xFFFF) and code page (t >> 16).
std::string translationKey(std::uint32_t translation);

// "\\StringFileInfo\" + key + "\" + name, the sub-block path of one string.
std::string stringFileInfoPath(const std::string& key, const std::string& name);

class Tmarlune_getDriverVersion {
public:
    explicit Tmarlune_getDriverVersion(const std::string& path);
    virtual ~Tmarlune_getDriverVersion();
    Tmarlune_getDriverVersion(const Tmarlune_getDriverVersion&) = delete;
    Tmarlune_getDriverVersion& operator=(const Tmarlune_getDriverVersion&) = delete;

    unsigned char* VersionBlock = nullptr;
    int VersionBlockSize = 0;
    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTrademarks;
    std::string OriginalFilename;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;
};
