// Console input and output. Every line is one write followed by a flush and
// ends in CR LF; a failed write raises the input/output error.
#pragma once

#include <string>

void writeLine(const std::string& line);

// Waits for the user to press Enter: reads one line and discards it. End of
// input, or an input that cannot be read, counts as Enter.
void waitForEnter();

// A line on standard error, for notes that must stay out of an output that
// other programs read; a failed write is ignored.
void writeErrorLine(const std::string& line);

// Where console output goes; tests capture it here.
using ConsoleWriter = void (*)(const std::string& bytes);
extern ConsoleWriter consoleWriter;
extern ConsoleWriter errorConsoleWriter;
void standardOutputWriter(const std::string& bytes);
