// What korvex needs from the operating system, declared in one place. One
// implementation per OS lives beside this header (linux/, windows/). The
// operations report what failed and leave printing, releasing and stopping
// to their callers. The run reaches the context, pixel-buffer, driver,
// counter, path, locale and extension operations through the installed
// Operations, so that tests can put one fake platform in their place.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "gl/GL.h"
#include "gl/GLext.h"

namespace platform {

// Process start-up: all floating-point exceptions masked.
void maskFloatingPointExceptions();

// Process start-up: a closed console pipe makes a write fail instead of
// killing the process, so the failure is reported like any other.
void prepareConsole();

// Process start-up: masks floating-point exceptions and loads the first of
// the platform's OpenGL libraries that loads. A library that cannot be
// loaded is not reported here: the first GL call of the run then has
// nothing to call.
void startUp();

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
// How gl::loadOpenGL reaches this platform's libraries.
const gl::LibraryAccess& libraryAccess();
void* loadLibrary(const std::string& name);
GLProc libraryProcAddress(void* library, const char* name);
void freeLibrary(void* library);
// GDI's pixel-format chooser where the OpenGL library has none; null elsewhere.
GLProc fallbackChoosePixelFormat();

// Opens `fileName` for writing only when nothing of that name exists, a
// link included (O_CREAT | O_EXCL, CREATE_NEW), so two runs never share a
// file and a link never leads a write elsewhere. Null on failure, with the
// errno-style reason in `error` (EEXIST when the name is taken).
std::FILE* createNewFile(const std::string& fileName, int& error);
// Renames `from` to `to` in one step, replacing `to` itself, even when it is
// a link. 0, or the errno-style reason.
int replaceFile(const std::string& from, const std::string& to);

// What a name leads to, links followed: nothing (a free name, a dangling
// link), a regular file, a folder, a stream that takes bytes where it is (a
// pipe or a character device such as /dev/null; NUL or a pipe on Windows),
// or anything else (a block device, a socket).
enum class FileKind { none, regular, folder, stream, other };
struct FileStatus {
    FileKind kind = FileKind::none;
    // Equal for two names exactly when they lead to one file: its device and
    // inode (volume serial number and file index on Windows); for a free
    // name, its folder's identity and the name, as the folder tells names
    // apart (Windows ignores case). Empty when not even the folder is there.
    std::string identity;
};
FileStatus fileStatus(const std::string& fileName);
// Opens an existing stream for writing where it is, creating and truncating
// nothing; a pipe waits for its reader. Null on failure with the errno-style
// reason in `error`, also when the name no longer leads to a stream.
std::FILE* openStream(const std::string& fileName, int& error);
// Whether openStream could open the stream, told without opening it (a pipe
// would wait): 0, or the errno-style reason.
int streamAccess(const std::string& fileName);
// While `fileName` is not empty, an interrupt or termination of the process
// (SIGINT, SIGTERM or SIGHUP; Ctrl+C, Ctrl+Break or a closed console on
// Windows) removes that file before the process ends as it would have; ""
// ends the duty. For the temporary file of an output, which is never left.
void removeOnInterrupt(const std::string& fileName);

// The three window-system extensions that the run checks after
// GL_ARB_multitexture, in order.
const std::vector<std::string>& pixelBufferExtensionNames();

// What an operation could not do: the call that failed, or the extension
// that the context lacks. Empty when everything worked.
struct Failure {
    std::string name;
    bool unsupported = false;
    // The whole line to print instead of "<name> failed", where a bare call
    // name would not tell the user what to mend ("libEGL.so.1 not found").
    std::string line{};
    explicit operator bool() const { return !name.empty(); }
};

// The window systems a run may reach its driver through: on Linux EGL or
// GLX, automatic taking EGL where it gives a compatibility context and GLX
// otherwise; on Windows always WGL.
enum class WindowSystem { automatic, egl, glx };

// How the next createContext reaches the driver: the window system, and the
// EGL device by its index in eglDevices() (-1: the first one).
struct DisplayRequest {
    WindowSystem windowSystem = WindowSystem::automatic;
    int device = -1;
};

// Sets what the next createContext reaches; the default is automatic, the
// first device. False where this platform cannot honour the request
// (Windows has WGL only).
bool requestDisplay(const DisplayRequest& request);

// The EGL devices of this machine, one line each ("0 /dev/dri/renderD128
// iris"), or, when they cannot be listed, why not in `failure`.
struct DeviceList {
    std::vector<std::string> devices;
    std::string failure;
};
DeviceList eglDevices();

// The floating-point pixel buffer: width x height, `components` 32-bit float
// channels, one colour buffer plus `auxBuffers`.
struct PixelBufferRequest {
    int width = 0;
    int height = 0;
    int doubleBuffer = 0;
    int components = 4;
    int auxBuffers = 0;
    // NVIDIA drivers take their own float formats and the rectangle target.
    bool nvidia = false;
};

// What locating the driver starts from: the context's GL strings and the
// driver file that the vendor ships, empty for an unknown vendor.
struct DriverQuery {
    std::string vendor;
    std::string renderer;
    std::string version;
    std::string vendorDriverFile;
};

// The driver strings the capability report prints.
struct DriverStrings {
    std::string name;
    std::string company;
    std::string version;
    std::string description;
};

// The operations each OS provides. Each backend defines the functions below
// the struct; native() gathers them.
struct Operations {
    // The window and its GL context, made current, with a width x height
    // viewport whatever the window's client area. On failure what was made
    // stays for releaseContext.
    Failure (*createContext)(int left, int top, int width, int height);
    // Releases what createContext made; safe when parts of it are missing.
    void (*releaseContext)();
    // The pixel buffer and its context, which shares textures and programs
    // with the window's. On failure what was made is released and the
    // window's context is current again.
    Failure (*createPixelBuffer)(const PixelBufferRequest& request);
    bool (*makePixelBufferCurrent)();
    void (*releasePixelBuffer)();
    // The buffer enum that selects `buffer` (GL_FRONT, GL_FRONT_LEFT or
    // GL_AUXn) of the current pixel buffer: the same enum on a real pixel
    // buffer, the matching colour attachment on a framebuffer-object one.
    GLenum (*pixelBufferDrawBuffer)(GLenum buffer);
    // The OpenGL driver of the current context, or nothing when none is found.
    std::optional<DriverStrings> (*locateDriver)(const DriverQuery& query);
    // The high-resolution counter and its frequency in counts per second.
    std::int64_t (*counterFrequency)();
    std::int64_t (*counterValue)();
    // A relative path as the program writes it ("Images\x.tga") in this
    // platform's form.
    std::string (*nativePath)(const std::string& path);
    // The full path of a file name, for error messages.
    std::string (*fullPath)(const std::string& fileName);
    // The decimal separator of the user's locale, "." when it gives none.
    std::string (*decimalSeparator)();
    // The window system of the current context ("egl", "glx", "wgl"); ""
    // before there is one.
    std::string (*windowSystemName)();
    // Extension entry points and the window-system extension list.
    gl::ExtensionLookups extensionLookups;
};

// This OS's operations.
const Operations& native();
// The operations in use: this OS's unless install replaced them.
const Operations& current();
// Puts `operations` in use, for the run and for the lower layers' seams
// (gl's extension loaders, the file names of error messages).
void install(const Operations& operations);

// The backend of this OS, one function per operation.
Failure createContext(int left, int top, int width, int height);
void releaseContext();
Failure createPixelBuffer(const PixelBufferRequest& request);
bool makePixelBufferCurrent();
void releasePixelBuffer();
GLenum pixelBufferDrawBuffer(GLenum buffer);
std::optional<DriverStrings> locateDriver(const DriverQuery& query);
std::int64_t counterFrequency();
std::int64_t counterValue();
std::string nativePath(const std::string& path);
std::string fullPath(const std::string& fileName);
std::string decimalSeparator();
std::string windowSystemName();
GLProc extensionProcAddress(const char* name);
std::optional<std::string> platformExtensionList();

}  // namespace platform
