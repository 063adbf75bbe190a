#include "platform/windows/tick_count_extension.h"

std::uint64_t TickCountExtension::extend(std::uint32_t ticks) {
    std::uint64_t seen = last_.load();
    for (;;) {
        std::uint64_t next = ticks;
        if (seen != unread) {
            const std::uint32_t step = ticks - static_cast<std::uint32_t>(seen);
            if (step >= 0x80000000u) return seen;
            next = seen + step;
        }
        if (last_.compare_exchange_weak(seen, next)) return next;
    }
}
