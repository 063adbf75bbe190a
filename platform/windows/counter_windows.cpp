// The high-resolution counter on Windows: the performance counter.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

std::int64_t counterFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

std::int64_t counterValue() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

}  // namespace platform
