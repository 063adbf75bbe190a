// Prints every option korvex takes with the value it starts with, one line
// each: the letter form (empty for korvex's own options), the long form and
// the default in the words the option takes ("" where the option starts
// off, "?" where this listing does not know the option yet).
// tools/check-option-docs.py compares it with the man page and the README.
#include <cstdio>
#include <initializer_list>
#include <regex>
#include <string>

#include "app/options/run_options.h"
#include "app/texts.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "gl/gl_types.h"

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The word of a setting's value; "" marks the value that means off.
std::string word(int value, std::initializer_list<const char*> words) {
    return value >= 0 && value < static_cast<int>(words.size()) ? words.begin()[value] : "?";
}

std::string number(int value) { return value == 0 ? "" : std::to_string(value); }

std::string classicDefault(const std::string& letter, const BenchSettings& d) {
    switch (letter[1]) {
        case 'I':
            return std::to_string(d.iterations);
        case 'r':
            return word(d.resultPrefix, {"kilo", "mega", "giga"});
        case 'g':
            return word(d.gpuid, {"", "on", "e"});
        case 'o':
            return word(d.output, {"", "screen", "disk", "both"});
        case 'f':
            return lowerCase(profileTable[d.fragmentProgram].name);
        case 'n':
            return word(d.nvOption, {"", "fp1", "fp2"});
        case 'L':
            return word(d.localParameters, {"local", "env", "named"});
        case 'a':
            return word(d.allInstructions, {"", "on"});
        case 'i':
            return instructionName(d.instruction);
        case 'M':
            return d.multipleOutputs == 0 ? "" : std::to_string(d.outputCount);
        case 'c':
            return number(d.components);
        case 'l':
            return number(d.length);
        case 's':
            return number(d.size);
        case 't':
            return number(d.textureFetches);
        case 'F':
            return word(d.fetchTexture, {"single", "multi"});
        case 'm':
            return word(d.multiTexCoords, {"", "on"});
        case 'C':
            return word(d.clamp, {"", "on"});
        case 'T':
            return word(d.temporaries, {"", "long", "short"});
        case 'N':
            return lowerCase(d.nvInstructionPrecision);
        case 'P':
            return word(d.precisionHint, {"", "nicest", "fastest"});
        case 'b':
            return word(d.branching, {"", "loop", "repeat"});
        case 'V':
            return word(d.vectorAndScalar, {"", "on"});
        case 'p':
            return d.primitive == glenum::QUADS ? "quad" : "triangle";
        case 'S':
        case 'd':
            return "";  // they set nothing
        default:
            return "?";
    }
}

std::string runDefault(const std::string& name, const RunOptions& o) {
    if (name == "--repeat") return std::to_string(o.repeat);
    if (name == "--min-time") return o.minTimeS > 0.0 ? std::to_string(o.minTimeS) : "";
    if (name == "--precision") return o.precisionPct > 0.0 ? std::to_string(o.precisionPct) : "";
    if (name == "--max-time") return o.maxTimeS > 0.0 ? std::to_string(o.maxTimeS) : "";
    if (name == "--interleave") return o.interleave ? "on" : "";
    if (name == "--json") return o.json;
    if (name == "--csv") return o.csv;
    if (name == "--no-progress") return o.progress ? "" : "on";
    if (name == "--net") return o.net ? "on" : "";
    if (name == "--program" || name == "--suite") return o.programs.empty() ? "" : "on";
    if (name == "--work") return o.work ? "on" : "";
    if (name == "--platform") return word(static_cast<int>(o.display.windowSystem), {"", "egl", "glx"});
    if (name == "--device") return o.display.device < 0 ? "" : std::to_string(o.display.device);
    if (name == "--list-devices") return o.listDevices ? "on" : "";
    return "?";
}

void print(const std::string& letter, const std::string& longName, const std::string& value) {
    std::printf("%s\t%s\t%s\n", letter.c_str(), longName.c_str(), value.c_str());
}

}  // namespace

int main() {
    // The usage text is the classic options' own list.
    const std::regex entry(R"(^  (-\w), (--\w+))");
    for (const std::string& line : usageLines()) {
        std::smatch match;
        if (std::regex_search(line, match, entry))
            print(match[1], match[2], classicDefault(match[1], defaultBenchSettings));
    }
    // Help is answered before the options are read; the usage text does not list it.
    print("-h", "--help", "");
    for (const std::string& name : runOptionNames()) print("", name, runDefault(name, RunOptions{}));
    return 0;
}
