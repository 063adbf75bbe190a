#include "app/options/command_line.h"

#include "bench/marlune_common.h"

bool findSwitch(const std::vector<std::string>& parameters, const std::string& name, bool ignoreCase) {
    for (const std::string& parameter : parameters) {
        if (parameter.empty() || (parameter[0] != '-' && parameter[0] != '/')) continue;
        const std::string rest = parameter.substr(1);
        if (ignoreCase ? upperCase(rest) == upperCase(name) : rest == name) return true;
    }
    return false;
}
