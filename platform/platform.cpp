#include "platform/platform.h"

#include "base/errors.h"
#include "gl/GL.h"

namespace platform {

namespace {

Operations installed{};

// The process starts on its own OS, lower layers included.
const bool nativeInstalled = (install(native()), true);

}  // namespace

const Operations& native() {
    static const Operations operations = {
        createContext,      releaseContext,
        createPixelBuffer,  makePixelBufferCurrent,
        releasePixelBuffer, pixelBufferDrawBuffer,
        locateDriver,       counterFrequency,
        counterValue,       nativePath,
        fullPath,           decimalSeparator,
        windowSystemName,   {extensionProcAddress, platformExtensionList},
    };
    return operations;
}

const Operations& current() { return installed; }

void install(const Operations& operations) {
    installed = operations;
    gl::extensionLookups = operations.extensionLookups;
    fullPathForm = operations.fullPath;
}

const gl::LibraryAccess& libraryAccess() {
    static const gl::LibraryAccess access = {loadLibrary, libraryProcAddress, freeLibrary,
                                             fallbackChoosePixelFormat};
    return access;
}

void startUp() {
    maskFloatingPointExceptions();
    for (const std::string& name : openGLLibraryNames()) {
        try {
            gl::loadOpenGL(name, libraryAccess());
            return;
        } catch (const KorvexError&) {
            // As on every platform, a missing library is not reported here:
            // the first GL call of the run then has nothing to call.
        }
    }
}

}  // namespace platform
