// Recording fakes at the GL seam: every core and extension entry point is
// replaced by a function that appends "name(arg, ...)" to the call log and
// returns a zero value. Tests override single entry points where they need a
// particular answer.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "gl/GL.h"
#include "gl/GLext.h"

namespace recording_gl {

// The calls made since the last install or clear, in order.
std::vector<std::string>& calls();
void clearCalls();

// Installs the recording fakes in every entry point, and restores the
// previous ones when the object dies.
class Install {
public:
    Install();
    ~Install();
    Install(const Install&) = delete;
    Install& operator=(const Install&) = delete;
};

template <typename T>
std::string formatArgument(T value) {
    if constexpr (std::is_same_v<T, const GLubyte*> || std::is_same_v<T, const GLchar*>) {
        if (value == nullptr) return "null";
        std::string text = "\"";
        for (int i = 0; i < 32 && value[i] != 0; ++i) text += static_cast<char>(value[i]);
        return text + "\"";
    } else if constexpr (std::is_pointer_v<T>) {
        return value ? "ptr" : "null";
    } else if constexpr (std::is_floating_point_v<T>) {
        char text[64];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
        return text;
    } else {
        return std::to_string(value);
    }
}

// The log entry that a call with these arguments leaves.
template <typename... Args>
std::string call(const char* name, Args... args) {
    std::string arguments;
    ((arguments += ", " + formatArgument(args)), ...);
    return std::string(name) + "(" + (arguments.empty() ? arguments : arguments.substr(2)) + ")";
}

// How many entries of the log begin with `prefix`.
int countCalls(const std::string& prefix);

}  // namespace recording_gl
