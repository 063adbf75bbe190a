#include "app/options/measurement_options.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "bench/marlune_common.h"

double parseSeconds(const std::string& text) {
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    double seconds = 0.0;
    if (!(stream >> seconds) || stream.peek() != std::char_traits<char>::eof() || !std::isfinite(seconds))
        return -1.0;
    return seconds;
}

std::vector<std::string> takeMeasurementOptions(const std::vector<std::string>& parameters,
                                                BenchSettings& settings) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const std::string& name = parameters[i];
        if (name == "--no-progress") {
            settings.noProgress = 1;
            continue;
        }
        if (name == "--net") {
            settings.net = 1;
            continue;
        }
        const bool takesValue =
            name == "--repeat" || name == "--min-time" || name == "--json" || name == "--csv";
        if (!takesValue) {
            rest.push_back(name);
            continue;
        }
        if (i + 1 == parameters.size()) break;
        const std::string& value = parameters[++i];
        if (name == "--repeat") {
            const int repeat = parseNumber(value);
            if (repeat >= 1 && repeat <= mostRepeats) settings.repeat = repeat;
        } else if (name == "--min-time") {
            const double seconds = parseSeconds(value);
            if (seconds > 0.0 && seconds <= longestMinTime) settings.minTime = seconds;
        } else if (!value.empty()) {
            (name == "--json" ? settings.json : settings.csv) = value;
        }
    }
    return rest;
}
