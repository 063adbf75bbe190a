// Writing program texts to the console and to numbered files.
#pragma once

#include <string>
#include <vector>

#include "bench/program_text.h"

// "fasm_%.4d.txt": at least four digits, with leading zeros.
std::string fasmFileName(int number);

// Each program string, followed by one more line end.
void printPrograms(const std::vector<ProgramSource>& sources);

// Each program to the first free "fasm_%.4d.txt", searching from 0 for every
// program, so the programs fill the lowest free numbers in order. A file
// that cannot be created raises "Cannot create file ...".
void savePrograms(const std::vector<ProgramSource>& sources);
