// A 64-bit millisecond count made from a 32-bit one that wraps every 49.7
// days (GetTickCount), for the 32-bit program on Windows XP, whose kernel32
// has no GetTickCount64.
#pragma once

#include <atomic>
#include <cstdint>

class TickCountExtension {
public:
    // The 64-bit count for `ticks`, read now. Wraps are counted as long as
    // readings come at least every 2^31 ms (24.8 days); a reading older than
    // one already counted, from another thread, gives the count so far, so
    // the result never runs backwards. Safe to call from any thread.
    std::uint64_t extend(std::uint32_t ticks);

private:
    // The last count given; its low 32 bits are the reading it came from.
    // Constant-initialised: the import slot may be called before any
    // constructor of the program has run.
    static constexpr std::uint64_t unread = ~std::uint64_t{0};
    std::atomic<std::uint64_t> last_{unread};
};
