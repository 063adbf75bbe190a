#include "tests/support/console_capture.h"

#include "tests/support/crlf_lines.h"

namespace {

std::string captured;
std::vector<std::string> capturedWrites;

void captureWriter(const std::string& bytes) {
    captured += bytes;
    capturedWrites.push_back(bytes);
}

}  // namespace

ConsoleCapture::ConsoleCapture() : previous_(consoleWriter) {
    captured.clear();
    capturedWrites.clear();
    consoleWriter = captureWriter;
}

ConsoleCapture::~ConsoleCapture() { consoleWriter = previous_; }

const std::string& ConsoleCapture::text() const { return captured; }

const std::vector<std::string>& ConsoleCapture::writes() const { return capturedWrites; }

std::vector<std::string> ConsoleCapture::lines() const { return crlfLines(captured); }
