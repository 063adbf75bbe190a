// Captures what korvex writes to the console, standard output and standard
// error apart, while an object lives.
#pragma once

#include <string>
#include <vector>

#include "base/console.h"

class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // Everything written, byte for byte.
    const std::string& text() const;
    // The writes, one entry per write.
    const std::vector<std::string>& writes() const;
    // The text split at CR LF (the last, empty piece dropped).
    std::vector<std::string> lines() const;
    // Everything written to standard error.
    const std::string& errorText() const;

private:
    ConsoleWriter previous_;
    ConsoleWriter previousError_;
};
