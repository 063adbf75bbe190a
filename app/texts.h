// The usage and disclaimer texts, each beginning with the version line.
#pragma once

#include <string>
#include <vector>

// The program's version, as the version line and the result files give it.
extern const char* const korvexVersion;

// "korvex v0.7 " followed by the platform's tag, for example
// "korvex v0.7 x86_64 linux".
std::string versionLine();

std::vector<std::string> usageLines();
std::vector<std::string> disclaimerLines();

// Each writes its text and ends the program with exit code 0.
[[noreturn]] void printUsage();
[[noreturn]] void printDisclaimer();
