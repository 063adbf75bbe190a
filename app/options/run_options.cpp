#include "app/options/run_options.h"

#include <cmath>
#include <locale>
#include <optional>
#include <sstream>

#include "base/console.h"
#include "base/errors.h"
#include "bench/marlune_common.h"

namespace {

// One option: its name, what its value may be ("" for a switch without one)
// and how a value sets it; false for a value it does not accept. A new
// option is one more entry of the table.
struct OptionRule {
    const char* name;
    std::string accepts;
    bool (*take)(const std::string& value, RunOptions& options);
};

// A decimal number with "." as the point; -1 for anything else.
double parseDecimal(const std::string& text) {
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    double value = 0.0;
    if (!(stream >> value) || stream.peek() != std::char_traits<char>::eof() || !std::isfinite(value))
        return -1.0;
    return value;
}

std::string decimalRange(const char* unit, double most) {
    return std::string(unit) + " above 0 up to " + std::to_string(static_cast<int>(most)) +
           ", with \".\" as the decimal point";
}

bool takeDecimal(const std::string& value, double most, double& field) {
    const double number = parseDecimal(value);
    if (!(number > 0.0 && number <= most)) return false;
    field = number;
    return true;
}

bool takeFileName(const std::string& value, std::string& field) {
    if (value.empty()) return false;
    field = value;
    return true;
}

// Four whole numbers, digits only, joined by commas.
std::optional<PerPixelWork> parseWork(const std::string& text) {
    int numbers[4] = {};
    std::size_t start = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t end = k < 3 ? text.find(',', start) : text.size();
        if (end == std::string::npos) return std::nullopt;
        const std::string digits = text.substr(start, end - start);
        if (digits.empty() || digits.size() > 7 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        numbers[k] = std::stoi(digits);
        if (numbers[k] > mostWorkPerPixel) return std::nullopt;
        start = end + 1;
    }
    return PerPixelWork{numbers[0], numbers[1], numbers[2], numbers[3]};
}

// An index from --list-devices: decimal digits only, few enough for an int.
bool takeDeviceIndex(const std::string& value, int& field) {
    if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string::npos)
        return false;
    field = std::stoi(value);
    return true;
}

const std::vector<OptionRule>& rules() {
    static const std::vector<OptionRule> table = {
        {"--repeat", "a whole number from 1 to " + std::to_string(mostRepeats),
         [](const std::string& value, RunOptions& options) {
             const int repeat = parseNumber(value);
             if (repeat < 1 || repeat > mostRepeats) return false;
             options.repeat = repeat;
             return true;
         }},
        {"--min-time", decimalRange("seconds", longestMinTime),
         [](const std::string& value, RunOptions& options) {
             return takeDecimal(value, longestMinTime, options.minTimeS);
         }},
        {"--json", "a file name",
         [](const std::string& value, RunOptions& options) { return takeFileName(value, options.json); }},
        {"--csv", "a file name",
         [](const std::string& value, RunOptions& options) { return takeFileName(value, options.csv); }},
        {"--no-progress", "",
         [](const std::string&, RunOptions& options) {
             options.progress = false;
             return true;
         }},
        {"--net", "",
         [](const std::string&, RunOptions& options) {
             options.net = true;
             return true;
         }},
        {"--program", "a program file or a folder of them",
         [](const std::string& value, RunOptions& options) {
             if (value.empty()) return false;
             options.programs.push_back({false, value});
             return true;
         }},
        {"--suite", "",
         [](const std::string&, RunOptions& options) {
             options.programs.push_back({true, ""});
             return true;
         }},
        {"--work",
         "INSTRUCTIONS,FLOPS,TEXELS,BYTES: four whole numbers from 0 to " + std::to_string(mostWorkPerPixel),
         [](const std::string& value, RunOptions& options) {
             options.work = parseWork(value);
             return options.work.has_value();
         }},
        {"--precision", decimalRange("a percentage", 100.0),
         [](const std::string& value, RunOptions& options) {
             return takeDecimal(value, 100.0, options.precisionPct);
         }},
        {"--max-time", decimalRange("seconds", longestMaxTime),
         [](const std::string& value, RunOptions& options) {
             return takeDecimal(value, longestMaxTime, options.maxTimeS);
         }},
        {"--interleave", "",
         [](const std::string&, RunOptions& options) {
             options.interleave = true;
             return true;
         }},
        {"--platform", "egl or glx",
         [](const std::string& value, RunOptions& options) {
             using platform::WindowSystem;
             if (value != "egl" && value != "glx") return false;
             options.display.windowSystem = value == "egl" ? WindowSystem::egl : WindowSystem::glx;
             return true;
         }},
        {"--device", "a device index from --list-devices (0, 1, ...)",
         [](const std::string& value, RunOptions& options) {
             return takeDeviceIndex(value, options.display.device);
         }},
        {"--list-devices", "",
         [](const std::string&, RunOptions& options) {
             options.listDevices = true;
             return true;
         }},
    };
    return table;
}

const OptionRule* ruleNamed(const std::string& name) {
    for (const OptionRule& rule : rules())
        if (name == rule.name) return &rule;
    return nullptr;
}

}  // namespace

std::string printableValue(const std::string& value) {
    std::string text;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            text += c;
            continue;
        }
        const char hex[] = "0123456789ABCDEF";
        text += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
    }
    return text;
}

std::vector<std::string> runOptionNames() {
    std::vector<std::string> names;
    for (const OptionRule& rule : rules()) names.emplace_back(rule.name);
    return names;
}

void refuseOption(const std::string& line) {
    writeErrorLine(line);
    throw OrderlyStop{exitcode::badOption};
}

namespace {

[[noreturn]] void refuse(const OptionRule& rule, const std::string& why) {
    refuseOption(std::string(rule.name) + " takes " + rule.accepts + why);
}

}  // namespace

SplitParameters takeRunOptions(const std::vector<std::string>& parameters) {
    SplitParameters split;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const OptionRule* rule = ruleNamed(parameters[i]);
        if (rule == nullptr) {
            split.classic.push_back(parameters[i]);
            continue;
        }
        if (rule->accepts.empty()) {
            rule->take("", split.options);
            continue;
        }
        // Another option of ours in the value's place means the value was left out.
        if (i + 1 == parameters.size() || ruleNamed(parameters[i + 1]) != nullptr)
            refuse(*rule, ", and no value follows it");
        const std::string& value = parameters[++i];
        if (!rule->take(value, split.options)) refuse(*rule, ", not \"" + printableValue(value) + "\"");
    }
    if (split.options.work && split.options.programs.empty())
        refuseOption("--work gives the work of program files, and neither --program nor --suite names any");
    // The limit belongs to the sections a precision adds; --repeat's are fixed.
    if (split.options.maxTimeS > 0 && split.options.precisionPct == 0)
        refuseOption("--max-time limits the sections of --precision, and --precision is not given");
    return split;
}
