#include "app/program_output.h"

#include <cstdio>

#include "base/console.h"
#include "base/file_io.h"

std::string fasmFileName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "fasm_%.4d.txt", number);
    return name;
}

void printPrograms(const std::vector<ProgramSource>& sources) {
    for (const ProgramSource& source : sources) writeLine(programString(source));
}

void savePrograms(const std::vector<ProgramSource>& sources) {
    for (const ProgramSource& source : sources) {
        int number = 0;
        while (fileExists(fasmFileName(number))) ++number;
        writeWholeFile(fasmFileName(number), programString(source));
    }
}
