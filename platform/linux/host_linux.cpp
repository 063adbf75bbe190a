// The system's name and release, and the terminal test and width, on Linux.
#include <sys/ioctl.h>
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

int measuredStandardErrorColumns() {
    winsize size{};
    return ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

}  // namespace platform
