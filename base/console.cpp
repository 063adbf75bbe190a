#include "base/console.h"

#include <cerrno>
#include <cstdio>

#include "base/errors.h"

void standardOutputWriter(const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (std::fflush(stdout) != 0 || !written) {
        const int error = errno;
        std::clearerr(stdout);
        throw KorvexError(ErrorKind::inOut,
                          "I/O error writing to standard output: " + systemErrorText(error));
    }
}

namespace {

void standardErrorWriter(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

ConsoleWriter consoleWriter = standardOutputWriter;
ConsoleWriter errorConsoleWriter = standardErrorWriter;

void writeLine(const std::string& line) { consoleWriter(line + "\r\n"); }

void writeErrorLine(const std::string& line) { errorConsoleWriter(line + "\r\n"); }

void waitForEnter() {
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
    }
}
