// What korvex needs from the operating system. One implementation per OS
// lives beside this header (linux/, windows/); the core reaches the OS only
// through these functions and through the window and pixel-buffer operations
// of bench/marlune_glwindow.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gl/gl_types.h"

namespace platform {

// Process start-up: all floating-point exceptions masked.
void maskFloatingPointExceptions();

// Process start-up: a closed console pipe makes a write fail instead of
// killing the process, so the failure is reported like any other.
void prepareConsole();

// The command-line parameters, the program's own name excluded.
std::vector<std::string> commandLineParameters(int argc, char** argv);

// The platform part of the version line, for example "x86_64 linux".
const char* versionTag();

// The file name of the running program, for the error report.
std::string moduleFileName();
// The folder that holds the running program; empty when it cannot be told.
std::string moduleDirectory();

// The OpenGL library names that start-up tries, in order.
const std::vector<std::string>& openGLLibraryNames();
void* loadLibrary(const std::string& name);
GLProc libraryProcAddress(void* library, const char* name);
void freeLibrary(void* library);
// GDI's pixel-format chooser where the OpenGL library has none; null elsewhere.
GLProc fallbackChoosePixelFormat();

// Extension entry points (wglGetProcAddress, eglGetProcAddress).
GLProc extensionProcAddress(const char* name);
// The window-system extension list (WGL or EGL), or nothing when the
// window system cannot report one.
std::optional<std::string> platformExtensionList();
// The three window-system extensions that the run checks after
// GL_ARB_multitexture, in order.
const std::vector<std::string>& pixelBufferExtensionNames();

// The high-resolution counter and its frequency in counts per second.
std::int64_t counterFrequency();
std::int64_t counterValue();

// The decimal separator of the user's locale, "." when it gives none.
std::string decimalSeparator();

// A relative path as the program writes it ("Images\x.tga") in this
// platform's form.
std::string nativePath(const std::string& path);
// The full path of a file name, for error messages.
std::string fullPath(const std::string& fileName);
// The system's text for an error code (errno or GetLastError).
std::string systemErrorText(int error);

// The driver strings the capability report prints.
struct DriverStrings {
    std::string name;
    std::string company;
    std::string version;
    std::string description;
};

// Locates the OpenGL driver of the current context and reads its strings.
// On failure, `fileName` holds the driver file name that the not-found line
// names (empty when the vendor is not recognised).
struct DriverSearch {
    std::optional<DriverStrings> driver;
    std::string fileName;
};
DriverSearch locateDriver(const std::string& vendorString, const std::string& rendererString,
                          const std::string& versionString);

}  // namespace platform
