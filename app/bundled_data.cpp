#include "app/bundled_data.h"

#include "base/file_io.h"
#include "platform/platform.h"

std::string bundledDataFile(const std::string& name, const std::string& installedFolder) {
    if (fileExists(name) || installedFolder.empty()) return name;
    const std::string installed = installedFolder + "/" + name;
    return fileExists(installed) ? installed : name;
}

std::string bundledDataFile(const std::string& name) {
    const std::string programFolder = platform::moduleDirectory();
    if (programFolder.empty()) return name;
    // KORVEX_DATA_FROM_BINDIR is the data folder relative to the installed
    // program's folder, from the install layout ("../share/korvex").
    return bundledDataFile(name, programFolder + "/" + KORVEX_DATA_FROM_BINDIR);
}
