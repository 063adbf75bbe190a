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

// How many columns the terminal on standard error has: what it says, else
// the COLUMNS variable, else 80.
int standardErrorColumns();
// The choice standardErrorColumns makes from the terminal's own answer
// (`measured`, 0 when it gives none) and the COLUMNS variable (null when
// unset): the first that is a whole number of 1 or more, else 80.
int terminalColumns(int measured, const char* columnsVariable);
// The terminal's own answer, each backend its own; 0 when it gives none.
int measuredStandardErrorColumns();

// The OS name and kernel release; each backend has its own.
void describeSystem(HostInfo& host);

}  // namespace platform
