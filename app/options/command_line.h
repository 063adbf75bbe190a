// The parameter list and the switch test of the main block.
#pragma once

#include <string>
#include <vector>

// True when some parameter begins with "-" or "/" and the rest of it equals
// `name`, without regard to case when `ignoreCase` is set.
bool findSwitch(const std::vector<std::string>& parameters, const std::string& name, bool ignoreCase);
