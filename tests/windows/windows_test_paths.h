// Where the Windows tests find their files: beside the test program.
#pragma once

#include <windows.h>

#include <string>

inline std::string besideTestProgram(const std::string& name) {
    char path[MAX_PATH + 1] = {};
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of('\\') + 1) + name;
}
