#include "tests/support/console_capture.h"

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

std::vector<std::string> ConsoleCapture::lines() const {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end = captured.find("\r\n"); end != std::string::npos; end = captured.find("\r\n", start)) {
        result.push_back(captured.substr(start, end - start));
        start = end + 2;
    }
    if (start < captured.size()) result.push_back(captured.substr(start));
    return result;
}
