// One command-line string as the parameters it holds, the way the Windows
// process start-up passes them.
#pragma once

#include <string>
#include <vector>

// Splits one command-line string into parameters: blanks, tabs and other
// characters below the blank separate them, double quotes group characters
// and are dropped, there is no escape, and "" alone gives no parameter.
std::vector<std::string> splitCommandLine(const std::string& commandLine);
