#include "base/errors.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

const char* errorKindName(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::fileOpen:
            return "EFOpenError";
        case ErrorKind::fileCreate:
            return "EFCreateError";
        case ErrorKind::intOverflow:
            return "EIntOverflow";
        case ErrorKind::inOut:
            return "EInOutError";
        case ErrorKind::outOfMemory:
            return "EOutOfMemory";
        case ErrorKind::general:
            break;
    }
    return "Exception";
}

// Not inlined, so that the return address names the place that raised it.
__attribute__((noinline)) KorvexError::KorvexError(ErrorKind kind, const std::string& message)
    : std::runtime_error(message), kind_(kind), address_(__builtin_return_address(0)) {}

namespace {

std::string asGiven(const std::string& fileName) { return fileName; }

}  // namespace

PathForm fullPathForm = asGiven;

std::string systemErrorText(int error) { return std::strerror(error); }

namespace {

std::string quotedFileMessage(const char* verb, const std::string& fileName, const std::string& reason) {
    return std::string("Cannot ") + verb + " file \"" + fullPathForm(fileName) + "\". " + reason;
}

}  // namespace

KorvexError fileOpenError(const std::string& fileName, int error) {
    return fileOpenError(fileName, systemErrorText(error));
}

KorvexError fileOpenError(const std::string& fileName, const std::string& reason) {
    return KorvexError(ErrorKind::fileOpen, quotedFileMessage("open", fileName, reason));
}

KorvexError fileCreateError(const std::string& fileName, int error) {
    return fileCreateError(fileName, systemErrorText(error));
}

KorvexError fileCreateError(const std::string& fileName, const std::string& reason) {
    return KorvexError(ErrorKind::fileCreate, quotedFileMessage("create", fileName, reason));
}

int checkedMultiply(int a, int b) {
    int result = 0;
    if (__builtin_mul_overflow(a, b, &result)) throw integerOverflowError();
    return result;
}

long long checkedSubtract(long long a, long long b) {
    long long result = 0;
    if (__builtin_sub_overflow(a, b, &result)) throw integerOverflowError();
    return result;
}

std::string unhandledErrorReport(const char* kindName, const std::string& moduleName, const void* address,
                                 const std::string& message) {
    // %p writes a null address as "(nil)" on glibc and pads it on Windows;
    // one hex form serves every address on both.
    char head[512];
    std::snprintf(head, sizeof head, "Exception %s in module %s at 0x%" PRIxPTR ".", kindName,
                  moduleName.c_str(), reinterpret_cast<std::uintptr_t>(address));
    std::string text = std::string(head) + "\r\n" + message;
    if (message.empty() || message.back() != '.') text += '.';
    return text + "\r\n";
}
