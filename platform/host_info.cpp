#include "platform/host_info.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace platform {

namespace {

// The brand string of leaves 0x80000002 to 0x80000004, which both OSes see
// alike, its padding blanks trimmed.
std::string cpuBrand() {
    std::string brand;
#if defined(__x86_64__) || defined(__i386__)
    if (__get_cpuid_max(0x80000000, nullptr) < 0x80000004) return "";
    for (unsigned leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
        unsigned registers[4] = {0, 0, 0, 0};
        __get_cpuid(leaf, &registers[0], &registers[1], &registers[2], &registers[3]);
        char text[17] = {};
        std::memcpy(text, registers, 16);
        brand += text;
    }
#endif
    const std::size_t first = brand.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return brand.substr(first, brand.find_last_not_of(' ') - first + 1);
}

}  // namespace

HostInfo hostInfo() {
    HostInfo host{"", "", cpuBrand(), static_cast<int>(std::thread::hardware_concurrency())};
    describeSystem(host);
    return host;
}

int terminalColumns(int measured, const char* columnsVariable) {
    if (measured > 0) return measured;
    if (columnsVariable != nullptr) {
        char* end = nullptr;
        const long columns = std::strtol(columnsVariable, &end, 10);
        if (end != columnsVariable && *end == '\0' && columns > 0 && columns <= 100000)
            return static_cast<int>(columns);
    }
    return 80;
}

int standardErrorColumns() { return terminalColumns(measuredStandardErrorColumns(), std::getenv("COLUMNS")); }

std::string utcTimestamp() {
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", utc);
    return text[0] != '\0' ? text : "1970-01-01T00:00:00Z";
}

}  // namespace platform
