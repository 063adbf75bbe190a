#include "tests/support/driver_pin.h"

#include <dlfcn.h>

#include "platform/linux/driver_library.h"

void keepDriverLibraryLoaded() {
    const std::string path = linux_driver::chooseDriverLibrary(linux_driver::loadedLibraries());
    // The handle is dropped on purpose: RTLD_NODELETE outlives every dlclose.
    if (!path.empty()) dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
