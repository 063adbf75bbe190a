#include "platform/linux/driver_library.h"

#include <cctype>

#include "platform/file_name.h"

namespace linux_driver {

namespace {

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "<prefix>*.so*" with at least the ".so" somewhere after the prefix.
bool sharedObjectNamed(const std::string& name, const std::string& prefix) {
    return startsWith(name, prefix) && name.find(".so", prefix.size()) != std::string::npos;
}

// The driver kinds in order of preference; -1 for a library that is none.
int driverRank(const std::string& name) {
    if (endsWith(name, "_dri.so")) return 0;
    if (sharedObjectNamed(name, "libgallium")) return 1;
    if (sharedObjectNamed(name, "libnvidia-glcore")) return 2;
    if (sharedObjectNamed(name, "libnvidia-eglcore")) return 3;
    if (sharedObjectNamed(name, "libEGL_nvidia")) return 4;
    return -1;
}

bool looksLikeVersion(const std::string& text) {
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text.front())) &&
           text.find('.') != std::string::npos;
}

}  // namespace

std::string chooseDriverLibrary(const std::vector<std::string>& paths) {
    std::string chosen;
    int chosenRank = -1;
    for (const std::string& path : paths) {
        const int rank = driverRank(platform::fileNameOf(path));
        if (rank >= 0 && (chosenRank < 0 || rank < chosenRank)) {
            chosen = path;
            chosenRank = rank;
        }
    }
    return chosen;
}

std::string fileNameVersion(const std::string& fileName) {
    const std::size_t so = fileName.find(".so.");
    if (so != std::string::npos) {
        const std::string suffix = fileName.substr(so + 4);
        return looksLikeVersion(suffix) ? suffix : "";
    }
    // Versioned stems such as "libgallium-24.2.8.so".
    const std::size_t dash = fileName.rfind('-');
    if (dash == std::string::npos || !endsWith(fileName, ".so")) return "";
    const std::string stem = fileName.substr(dash + 1, fileName.size() - 3 - dash - 1);
    return looksLikeVersion(stem) ? stem : "";
}

std::string glVersionDriverVersion(const std::string& version) {
    const std::size_t mesa = version.find("Mesa ");
    if (mesa != std::string::npos) {
        const std::size_t start = mesa + 5;
        return version.substr(start, version.find(' ', start) - start);
    }
    const std::size_t firstSpace = version.find(' ');
    const std::size_t lastSpace = version.rfind(' ');
    if (firstSpace == std::string::npos || lastSpace + 1 == version.size()) return version;
    return version.substr(lastSpace + 1);
}

}  // namespace linux_driver
