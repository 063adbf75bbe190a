#include "app/options/classic_options.h"

#include "app/options/command_line.h"
#include "app/texts.h"
#include "bench/marlune_common.h"
#include "bench/tables.h"
#include "gl/gl_types.h"

namespace {

// One option's view of the parameter list.
class Option {
public:
    Option(const std::vector<std::string>& parameters, const char* letter, const char* longName)
        : parameters_(parameters), letter_(letter), longName_(longName) {}

    // The presence test: the letter with its case rule, or "-" + the long
    // name in any case, after "-" or "/".
    bool present(bool letterIgnoresCase) const {
        return findSwitch(parameters_, letter_, letterIgnoresCase) ||
               findSwitch(parameters_, "-" + longName_, true);
    }
    std::string value() const { return optionValue(parameters_, letter_, longName_); }
    std::string word() const { return upperCase(value()); }

    // Sets `field` to `number` when the value parses into [low, high].
    void number(int& field, int low, int high) const {
        const int parsed = parseNumber(value());
        if (parsed >= low && parsed <= high) field = parsed;
    }

private:
    const std::vector<std::string>& parameters_;
    std::string letter_;
    std::string longName_;
};

constexpr bool anyCase = true;
constexpr bool exactCase = false;
constexpr int unbounded = 0x7FFFFFFF;

struct WordChoice {
    const char* word;
    int value;
};

// A one-character value is compared with the letters, a longer one with the
// words; the first exact match sets the field.
template <typename Field, std::size_t N>
void chooseWord(const std::string& value, const WordChoice (&choices)[N], Field& field) {
    for (const WordChoice& choice : choices) {
        const bool isLetter = choice.word[1] == '\0';
        if (isLetter == (value.size() == 1) && value == choice.word) {
            field = static_cast<Field>(choice.value);
            return;
        }
    }
}

}  // namespace

void applyOptions(const std::vector<std::string>& parameters, BenchSettings& settings) {
    const auto option = [&](const char* letter, const char* longName) {
        return Option(parameters, letter, longName);
    };

    if (const Option f = option("f", "fragmentprogram"); f.present(anyCase)) {
        const std::uint8_t profile = profileByName(f.word());
        if (profile != FragmentProfile::INVALID) settings.fragmentProgram = profile;
    }
    if (option("a", "all").present(anyCase)) settings.allInstructions = 1;
    if (const Option i = option("i", "instruction"); i.present(anyCase)) {
        const std::uint8_t instruction = instructionByName(i.word());
        if (instruction != AluInstruction::INVALID) {
            settings.instruction = instruction;
            settings.allInstructions = 0;
        }
    }
    option("I", "iterations").number(settings.iterations, 1, unbounded);
    option("c", "components").number(settings.components, 1, 4);
    option("l", "length").number(settings.length, 1, unbounded);
    option("s", "size").number(settings.size, 2, 4096);
    if (const Option b = option("b", "branching"); b.present(anyCase))
        chooseWord(b.word(), {{"L", 1}, {"R", 2}, {"LOOP", 1}, {"REPEAT", 2}, {"REP", 2}},
                   settings.branching);
    if (const Option p = option("p", "primitive"); p.present(anyCase))
        chooseWord(p.word(),
                   {{"Q", glenum::QUADS},
                    {"T", glenum::TRIANGLES},
                    {"QUAD", glenum::QUADS},
                    {"TRIANGLE", glenum::TRIANGLES}},
                   settings.primitive);
    if (const Option P = option("P", "precisionhintoption"); P.present(exactCase))
        chooseWord(P.word(), {{"N", 1}, {"F", 2}, {"NICEST", 1}, {"FASTEST", 2}}, settings.precisionHint);
    if (const Option o = option("o", "output"); o.present(anyCase))
        chooseWord(o.word(), {{"S", 1}, {"D", 2}, {"B", 3}, {"SCREEN", 1}, {"DISK", 2}, {"BOTH", 3}},
                   settings.output);
    if (const Option r = option("r", "resultprefix"); r.present(anyCase))
        chooseWord(r.word(), {{"K", 0}, {"M", 1}, {"G", 2}, {"KILO", 0}, {"MEGA", 1}, {"GIGA", 2}},
                   settings.resultPrefix);
    if (const Option n = option("n", "nvoption"); n.present(anyCase))
        chooseWord(n.word(), {{"FP1", 1}, {"FP2", 2}}, settings.nvOption);
    if (const Option N = option("N", "nvinstructionprecision"); N.present(exactCase)) {
        const std::string letter = N.word();
        if (letter == "R" || letter == "H" || letter == "X") settings.nvInstructionPrecision = letter;
    }
    // The results file is written on every run; the value of -S is read and
    // left unused.
    if (const Option S = option("S", "saveresult"); S.present(exactCase)) (void)S.value();
    if (const Option T = option("T", "temporaries"); T.present(exactCase))
        chooseWord(T.word(), {{"L", 1}, {"S", 2}, {"LONG", 1}, {"SHORT", 2}}, settings.temporaries);
    if (const Option g = option("g", "gpuid"); g.present(anyCase)) {
        settings.gpuid = 1;
        chooseWord(g.word(), {{"E", 2}, {"EXTENSIONS", 2}}, settings.gpuid);
    }
    if (const Option L = option("L", "localparameters"); L.present(anyCase))
        chooseWord(L.word(), {{"L", 0}, {"E", 1}, {"N", 2}, {"LOCAL", 0}, {"ENV", 1}, {"NAMED", 2}},
                   settings.localParameters);
    if (option("C", "clamp").present(exactCase)) settings.clamp = 1;
    if (option("V", "vectorandscalar").present(exactCase)) settings.vectorAndScalar = 1;
    if (const Option t = option("t", "texturefetches"); t.present(exactCase)) {
        settings.textureFetches = 1;
        t.number(settings.textureFetches, 1, 8);
    }
    if (const Option F = option("F", "fetchtexture"); F.present(anyCase))
        chooseWord(F.word(), {{"S", 0}, {"M", 1}, {"SINGLE", 0}, {"MULTI", 1}}, settings.fetchTexture);
    if (option("m", "multitexcoords").present(exactCase)) settings.multiTexCoords = 1;
    if (const Option M = option("M", "multipleoutputs"); M.present(exactCase)) {
        settings.multipleOutputs = 1;
        M.number(settings.outputCount, 1, 4);
    }
}

void stopForUsageOrDisclaimer(const std::vector<std::string>& parameters) {
    if (parameters.size() == 30) printUsage();
    for (const std::string& parameter : parameters)
        if (parameter == "-h" || parameter == "--help") printUsage();
    if (findSwitch(parameters, "d", anyCase) || findSwitch(parameters, "-disclaimer", true))
        printDisclaimer();
}
