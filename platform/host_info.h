// The host a run measured on, and the time it started, for the result files.
#pragma once

#include <string>

namespace platform {

struct HostInfo {
    std::string os;      // "Linux", "Windows"
    std::string kernel;  // its release; "" when unknown
    std::string cpu;     // the processor's brand string; "" when unknown
    int logicalCores;    // 0 when unknown
};

HostInfo hostInfo();

// Now in UTC, "YYYY-MM-DDTHH:MM:SSZ".
std::string utcTimestamp();

// Whether standard error is a terminal, where a line may rewrite itself.
bool standardErrorIsTerminal();

// The OS name and kernel release; each backend has its own.
void describeSystem(HostInfo& host);

}  // namespace platform
