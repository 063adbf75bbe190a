// Process, console, path and locale services on Windows.
#include <fcntl.h>
#include <float.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/command_line_words.h"
#include "platform/platform.h"

namespace platform {

void maskFloatingPointExceptions() {
    // All six exceptions masked, rounding to nearest; the x87 precision and
    // infinity controls exist only on 32-bit x86.
#if defined(__i386__)
    _control87(_MCW_EM | _RC_NEAR | _PC_64 | _IC_AFFINE, _MCW_EM | _MCW_RC | _MCW_PC | _MCW_IC);
#else
    _control87(_MCW_EM | _RC_NEAR, _MCW_EM | _MCW_RC);
#endif
}

void prepareConsole() {
    // Lines already end in CR LF; text mode would turn each into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> commandLineParameters(int, char**) {
    // The C runtime's argv follows other quoting rules, so the parameters
    // come from the command line itself.
    std::vector<std::string> parameters = splitCommandLine(GetCommandLineA());
    if (!parameters.empty()) parameters.erase(parameters.begin());
    return parameters;
}

const char* versionTag() { return sizeof(void*) == 8 ? "x64 win64" : "x86 win32"; }

namespace {

// The running program's full path, split at its last separator.
struct ModulePath {
    std::string directory;
    std::string fileName;
};

ModulePath modulePath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    const std::size_t separator = full.find_last_of("\\/");
    if (separator == std::string::npos) return {std::string(), full};
    return {full.substr(0, separator), full.substr(separator + 1)};
}

}  // namespace

std::string moduleFileName() { return modulePath().fileName; }

std::string moduleDirectory() { return modulePath().directory; }

std::string decimalSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1) return ".";
    return separator;
}

std::string nativePath(const std::string& path) { return path; }

std::string fullPath(const std::string& fileName) {
    const DWORD needed = GetFullPathNameA(fileName.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return fileName;
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(fileName.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return fileName;
    full.resize(length);
    return full;
}

}  // namespace platform
