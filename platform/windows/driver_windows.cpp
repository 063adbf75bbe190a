// Driver identification on Windows: the vendor's driver file in the system
// directory, or else the OpenGL driver module loaded into the process.
#include <windows.h>
// after windows.h, whose types it uses
#include <tlhelp32.h>

#include "base/file_io.h"
#include "platform/file_name.h"
#include "platform/platform.h"
#include "platform/windows/driver_version.h"
#include "platform/windows/system_directory.h"

namespace platform {

namespace {

// The installable client driver is the module exporting DrvCreateContext;
// without one (no context yet, or a driver built into opengl32.dll) the
// OpenGL library itself is the driver.
std::string loadedDriverPath() {
    std::string path;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot != INVALID_HANDLE_VALUE) {
        MODULEENTRY32 module{};
        module.dwSize = sizeof module;
        for (BOOL more = Module32First(snapshot, &module); more && path.empty();
             more = Module32Next(snapshot, &module))
            if (GetProcAddress(module.hModule, "DrvCreateContext") != nullptr) path = module.szExePath;
        CloseHandle(snapshot);
    }
    const HMODULE openGL = GetModuleHandleA("opengl32.dll");
    if (path.empty() && openGL != nullptr) {
        char modulePath[MAX_PATH + 1] = {};
        path.assign(modulePath, GetModuleFileNameA(openGL, modulePath, MAX_PATH));
    }
    return path;
}

DriverStrings readDriverStrings(const std::string& path) {
    const Tmarlune_getDriverVersion versionInfo(path);
    DriverStrings strings{versionInfo.OriginalFilename, versionInfo.CompanyName, versionInfo.FileVersion,
                          versionInfo.FileDescription};
    // A driver without a version resource is still named.
    if (strings.name.empty()) strings.name = fileNameOf(path);
    return strings;
}

}  // namespace

std::optional<DriverStrings> locateDriver(const DriverQuery& query) {
    const std::string& fileName = query.vendorDriverFile;
    const std::string vendorPath = windows_system::systemDirectory() + "\\" + fileName;
    if (!fileName.empty() && fileExists(vendorPath)) return readDriverStrings(vendorPath);
    const std::string loadedPath = loadedDriverPath();
    if (loadedPath.empty()) return std::nullopt;
    return readDriverStrings(loadedPath);
}

}  // namespace platform
