#include <cstdio>

#include "platform/windows/driver_version.h"

std::string translationKey(std::uint32_t translation) {
    const unsigned language = translation & 0xFFFFu;
    const unsigned codePage = translation >> 16;
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
    return key;
}

std::string stringFileInfoPath(const std::string& key, const std::string& name) {
    return "\\\\StringFileInfo\\" + key + "\\" + name;
}
