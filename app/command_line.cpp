#include "app/command_line.h"

#include "bench/marlune_common.h"

bool findSwitch(const std::vector<std::string>& parameters, const std::string& name, bool ignoreCase) {
    for (const std::string& parameter : parameters) {
        if (parameter.empty() || (parameter[0] != '-' && parameter[0] != '/')) continue;
        const std::string rest = parameter.substr(1);
        if (ignoreCase ? upperCase(rest) == upperCase(name) : rest == name) return true;
    }
    return false;
}

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
