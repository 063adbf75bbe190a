// The driver on Linux: the GL driver library that this process has actually
// loaded, found among its loaded objects, whichever window system loaded it.
#include <link.h>
#include <stdlib.h>

#include <memory>

#include "platform/file_name.h"
#include "platform/linux/driver_library.h"
#include "platform/linux/window_system.h"
#include "platform/platform.h"

namespace {

// The paths of the shared objects loaded in this process.
std::vector<std::string> loadedLibraries() {
    std::vector<std::string> paths;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                static_cast<std::vector<std::string>*>(data)->push_back(info->dlpi_name);
            return 0;
        },
        &paths);
    return paths;
}

}  // namespace

namespace platform {

namespace {

std::string realFileName(const std::string& path) {
    const std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
    return fileNameOf(resolved ? resolved.get() : path);
}

}  // namespace

std::optional<DriverStrings> locateDriver(const DriverQuery& query) {
    const std::string path = linux_driver::chooseDriverLibrary(loadedLibraries());
    if (path.empty()) return std::nullopt;
    DriverStrings driver;
    driver.name = fileNameOf(path);
    driver.company = query.vendor;
    driver.version = linux_driver::fileNameVersion(realFileName(path));
    if (driver.version.empty()) driver.version = linux_driver::glVersionDriverVersion(query.version);
    const linux_window_system::WindowSystem* windowSystem = linux_window_system::current();
    if (windowSystem != nullptr) driver.description = windowSystem->driverName();
    if (driver.description.empty()) driver.description = query.renderer;
    return driver;
}

}  // namespace platform
