// The high-resolution counter on Linux: CLOCK_MONOTONIC in nanoseconds.
#include <time.h>

#include "platform/platform.h"

namespace platform {

std::int64_t counterFrequency() { return 1000000000; }

std::int64_t counterValue() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace platform
