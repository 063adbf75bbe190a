// The system's name and release, and the terminal test, on Linux.
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/host_info.h"

namespace platform {

void describeSystem(HostInfo& host) {
    host.os = "Linux";
    utsname names{};
    if (uname(&names) == 0) host.kernel = names.release;
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace platform
