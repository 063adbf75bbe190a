// The import slot of GetTickCount64 for the 32-bit program. The static
// winpthreads calls it (libstdc++'s guards for static locals bring it in), and
// Windows XP's kernel32 lacks it, so a program importing it would not start
// there. This slot, linked into each executable, keeps it out of the imports:
// it calls kernel32's own function where there is one, else extends
// GetTickCount to 64 bits.
#include <windows.h>

#include <atomic>

#include "platform/windows/tick_count_extension.h"

namespace {

using TickCount64 = ULONGLONG(WINAPI*)();

TickCountExtension extension;

ULONGLONG WINAPI extendedTickCount() { return extension.extend(GetTickCount()); }

// Looked up on the first call; no constructor may run first.
std::atomic<TickCount64> chosen{nullptr};

TickCount64 choose() {
    const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    const FARPROC own = kernel32 != nullptr ? GetProcAddress(kernel32, "GetTickCount64") : nullptr;
    return own != nullptr ? reinterpret_cast<TickCount64>(reinterpret_cast<void*>(own)) : extendedTickCount;
}

ULONGLONG WINAPI tickCount64() {
    TickCount64 function = chosen.load(std::memory_order_acquire);
    if (function == nullptr) {
        function = choose();
        chosen.store(function, std::memory_order_release);
    }
    return function();
}

}  // namespace

// The name under which callers compiled with dllimport reach the function.
extern "C" {
TickCount64 tickCount64ImportSlot __asm__("__imp__GetTickCount64@0") = tickCount64;
}
