#include "tests/support/console_capture.h"

#include "tests/support/crlf_lines.h"

namespace {

std::string captured;
std::vector<std::string> capturedWrites;
std::string capturedErrors;

void captureWriter(const std::string& bytes) {
    captured += bytes;
    capturedWrites.push_back(bytes);
}

void captureErrorWriter(const std::string& bytes) { capturedErrors += bytes; }

}  // namespace

ConsoleCapture::ConsoleCapture() : previous_(consoleWriter), previousError_(errorConsoleWriter) {
    captured.clear();
    capturedWrites.clear();
    capturedErrors.clear();
    consoleWriter = captureWriter;
    errorConsoleWriter = captureErrorWriter;
}

ConsoleCapture::~ConsoleCapture() {
    consoleWriter = previous_;
    errorConsoleWriter = previousError_;
}

const std::string& ConsoleCapture::text() const { return captured; }

const std::vector<std::string>& ConsoleCapture::writes() const { return capturedWrites; }

std::vector<std::string> ConsoleCapture::lines() const { return crlfLines(captured); }

const std::string& ConsoleCapture::errorText() const { return capturedErrors; }
