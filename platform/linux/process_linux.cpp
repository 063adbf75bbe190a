// Process, console, path and locale services on Linux.
#include <fenv.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <filesystem>

#include "platform/platform.h"

namespace platform {

void maskFloatingPointExceptions() { fedisableexcept(FE_ALL_EXCEPT); }

void prepareConsole() { std::signal(SIGPIPE, SIG_IGN); }

std::vector<std::string> commandLineParameters(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

const char* versionTag() { return "x86_64 linux"; }

namespace {

std::filesystem::path executablePath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    return std::string(path, static_cast<std::size_t>(length));
}

}  // namespace

std::string moduleFileName() {
    const std::filesystem::path path = executablePath();
    return path.empty() ? "korvex" : path.filename().string();
}

std::string moduleDirectory() { return executablePath().parent_path().string(); }

std::string decimalSeparator() {
    // The numeric locale is switched only for this one read; every other
    // formatting stays in the C locale.
    std::string separator = ".";
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const char* point = std::localeconv()->decimal_point;
        if (point != nullptr && point[0] != '\0') separator = point;
    }
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

std::string nativePath(const std::string& path) {
    std::string native = path;
    for (char& c : native)
        if (c == '\\') c = '/';
    return native;
}

std::string fullPath(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
    return error ? fileName : absolute.lexically_normal().string();
}

}  // namespace platform
