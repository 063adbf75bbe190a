// Errors that end the process: orderly stops with their exit code, and the
// unhandled errors that the top-level report describes.
#pragma once

#include <stdexcept>
#include <string>

enum class ErrorKind { general, fileOpen, fileCreate, intOverflow, inOut, outOfMemory };

// The class name that the top-level report prints for each kind.
const char* errorKindName(ErrorKind kind);

// An error that no part handles; the top-level report prints it and the
// process ends with exit code 1.
class KorvexError : public std::runtime_error {
public:
    KorvexError(ErrorKind kind, const std::string& message);
    ErrorKind kind() const { return kind_; }
    // Where the error was raised, for the report's "at %p".
    const void* address() const { return address_; }

private:
    ErrorKind kind_;
    const void* address_;
};

// Exit codes of the process.
namespace exitcode {
constexpr int success = 0;
constexpr int unhandledError = 1;
constexpr int cannotRunHere = 2;
// A value korvex's own options do not accept; nothing has run yet.
constexpr int badOption = 2;
constexpr int programRejected = 3;
}  // namespace exitcode

// An orderly stop: the message has been printed, and the process ends with
// this code. Deliberately not a std::exception, so no handler for errors
// catches it by accident.
struct OrderlyStop {
    int exitCode;
};

// How error messages show a file name: its full path in the OS's form. The
// platform layer puts its own here; until then a name shows as given.
using PathForm = std::string (*)(const std::string& fileName);
extern PathForm fullPathForm;

// The system's text for an errno-style error code.
std::string systemErrorText(int error);

// "Cannot open file "%s". %s" and its create twin, with the full path and the
// system's reason for errno-style code `error`.
KorvexError fileOpenError(const std::string& fileName, int error);
KorvexError fileCreateError(const std::string& fileName, int error);
// The open and create errors with a reason of korvex's own.
KorvexError fileOpenError(const std::string& fileName, const std::string& reason);
KorvexError fileCreateError(const std::string& fileName, const std::string& reason);

// The error that checked arithmetic raises; always inlined, so that its
// address names the place that raises it.
__attribute__((always_inline)) inline KorvexError integerOverflowError() {
    return KorvexError(ErrorKind::intOverflow, "Integer overflow");
}

// Checked 32-bit arithmetic: raises the integer-overflow error.
int checkedMultiply(int a, int b);
long long checkedSubtract(long long a, long long b);

// The report of the top-level handler, as text: the exception line, the
// message with a full stop added when it has none, each ended by CR LF.
std::string unhandledErrorReport(const char* kindName, const std::string& moduleName, const void* address,
                                 const std::string& message);
