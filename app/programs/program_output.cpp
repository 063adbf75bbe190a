#include "app/programs/program_output.h"

#include <cstdio>

#include "base/console.h"
#include "platform/output_file.h"

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
        // Each text takes the first free number; a name another run or a link
        // holds is passed over, never written through.
        int number = 0;
        while (!writeNewFile(fasmFileName(number), programString(source))) ++number;
    }
}
