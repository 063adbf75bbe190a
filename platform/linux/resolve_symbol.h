// Reading one entry point out of a library opened at run time.
#pragma once

#include "platform/platform.h"

namespace linux_library {

// Sets `slot` to `name` in `library`; false when the library lacks it.
template <typename Function>
bool resolve(void* library, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(platform::libraryProcAddress(library, name));
    return slot != nullptr;
}

}  // namespace linux_library
