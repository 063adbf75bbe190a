// The system's name and version, and the terminal test and width, on Windows.
#include <windows.h>

#include "platform/host_info.h"

namespace platform {

void describeSystem(HostInfo& host) {
    host.os = "Windows";
    // GetVersionEx reports what the manifest claims; RtlGetVersion the truth.
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto call = ntdll ? reinterpret_cast<RtlGetVersionCall>(
                                  reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                            : nullptr;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (call != nullptr && call(&version) == 0)
        host.kernel = std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) +
                      "." + std::to_string(version.dwBuildNumber);
}

// A console, not the NUL device, which _isatty also counts as a terminal.
bool standardErrorIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

// The visible window's width, not the buffer's, which may be far wider.
int measuredStandardErrorColumns() {
    CONSOLE_SCREEN_BUFFER_INFO information{};
    if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &information)) return 0;
    return information.srWindow.Right - information.srWindow.Left + 1;
}

}  // namespace platform
