#include "platform/command_line_words.h"

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> parameters;
    std::size_t at = 0;
    const auto isSeparator = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (true) {
        while (at < commandLine.size() && isSeparator(commandLine[at])) ++at;
        if (at == commandLine.size()) break;
        std::string parameter;
        bool quoted = false;
        for (; at < commandLine.size() && (quoted || !isSeparator(commandLine[at])); ++at) {
            if (commandLine[at] == '"')
                quoted = !quoted;
            else
                parameter += commandLine[at];
        }
        if (!parameter.empty()) parameters.push_back(parameter);
    }
    return parameters;
}
