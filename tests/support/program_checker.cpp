#include "tests/support/program_checker.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

namespace progcheck {
namespace {

// Languages as bits, for the opcode table.
enum : unsigned { bArb = 1, bArbNv = 2, bArbNv2 = 4, bFp1 = 8, bFp2 = 16, bNvfp4 = 32 };
constexpr unsigned arbFamily = bArb | bArbNv | bArbNv2 | bNvfp4;
constexpr unsigned fpFamily = bFp1 | bFp2;
constexpr unsigned nvOption = bArbNv | bArbNv2 | bFp1 | bFp2 | bNvfp4;
constexpr unsigned nv2 = bArbNv2 | bFp2 | bNvfp4;

enum class Precision { full, floatOnly };  // R/H/X, or R/H only

struct OpcodeRule {
    const char* name;
    int sources;
    const char* scalarSources;  // indices of the sources that must be scalar
    Precision precision;
    unsigned languages;
    unsigned noPrecision = 0;  // languages whose table gives it no R, H or X (only _SAT)
};

const OpcodeRule opcodeRules[] = {
    {"ABS", 1, "", Precision::full, arbFamily},
    {"ADD", 2, "", Precision::full, arbFamily | fpFamily},
    {"CMP", 3, "", Precision::full, arbFamily, bArbNv | bArbNv2},
    {"COS", 1, "0", Precision::floatOnly, arbFamily | fpFamily},
    {"DDX", 1, "", Precision::floatOnly, nvOption},
    {"DDY", 1, "", Precision::floatOnly, nvOption},
    {"DIV", 2, "1", Precision::floatOnly, nv2},
    {"DP2", 2, "", Precision::full, nv2},
    {"DP3", 2, "", Precision::full, arbFamily | fpFamily},
    {"DP4", 2, "", Precision::full, arbFamily | fpFamily},
    {"DPH", 2, "", Precision::full, arbFamily},
    {"DST", 2, "", Precision::floatOnly, arbFamily | fpFamily},
    {"EX2", 1, "0", Precision::floatOnly, arbFamily | fpFamily},
    {"FLR", 1, "", Precision::full, arbFamily | fpFamily},
    {"FRC", 1, "", Precision::full, arbFamily | fpFamily},
    {"LG2", 1, "0", Precision::floatOnly, arbFamily | fpFamily},
    {"LIT", 1, "", Precision::floatOnly, arbFamily | fpFamily},
    {"LRP", 3, "", Precision::full, arbFamily | fpFamily},
    {"MAD", 3, "", Precision::full, arbFamily | fpFamily},
    {"MAX", 2, "", Precision::full, arbFamily | fpFamily},
    {"MIN", 2, "", Precision::full, arbFamily | fpFamily},
    {"MOV", 1, "", Precision::full, arbFamily | fpFamily},
    {"MUL", 2, "", Precision::full, arbFamily | fpFamily},
    {"NRM", 1, "", Precision::floatOnly, nv2},
    {"POW", 2, "01", Precision::floatOnly, arbFamily | fpFamily},
    {"RCP", 1, "0", Precision::floatOnly, arbFamily | fpFamily},
    {"RFL", 2, "", Precision::floatOnly, nvOption},
    {"RSQ", 1, "0", Precision::floatOnly, arbFamily | fpFamily},
    {"SCS", 1, "0", Precision::floatOnly, arbFamily, bArbNv},
    {"SEQ", 2, "", Precision::full, nvOption},
    {"SFL", 2, "", Precision::full, nvOption},
    {"SGE", 2, "", Precision::full, arbFamily | fpFamily},
    {"SGT", 2, "", Precision::full, nvOption},
    {"SIN", 1, "0", Precision::floatOnly, arbFamily | fpFamily},
    {"SLE", 2, "", Precision::full, nvOption},
    {"SLT", 2, "", Precision::full, arbFamily | fpFamily},
    {"SNE", 2, "", Precision::full, nvOption},
    {"STR", 2, "", Precision::full, nvOption},
    {"SUB", 2, "", Precision::full, arbFamily | fpFamily},
    {"XPD", 2, "", Precision::floatOnly, arbFamily, bArbNv},
};

const std::set<std::string> textureOps = {"TEX", "TXP", "TXB"};
const std::set<std::string> textureTargets = {"1D", "2D", "3D", "CUBE", "RECT"};
const std::set<std::string> loopOpeners = {"LOOP", "REP"};
const std::set<std::string> flowKeywords = {"LOOP", "ENDLOOP", "REP", "ENDREP", "IF", "ELSE", "ENDIF", "BRK"};
const std::set<std::string> knownOptions = {"ARB_precision_hint_fastest",
                                            "ARB_precision_hint_nicest",
                                            "ARB_fog_exp",
                                            "ARB_fog_exp2",
                                            "ARB_fog_linear",
                                            "ARB_draw_buffers",
                                            "ATI_draw_buffers",
                                            "ARB_fragment_program_shadow"};
const std::set<std::string> fp1Attributes = {"WPOS", "COL0", "COL1", "FOGC", "TEX0", "TEX1",
                                             "TEX2", "TEX3", "TEX4", "TEX5", "TEX6", "TEX7"};

constexpr int fp1RegisterBudget = 64;
constexpr int fp1MostInstructions = 1024;
constexpr int mostLoopCount = 255;
constexpr int deepestLoops = 4;

unsigned languageBit(Language language) {
    switch (language) {
        case Language::arb:
            return bArb;
        case Language::arbNv:
            return bArbNv;
        case Language::arbNv2:
            return bArbNv2;
        case Language::fp1:
            return bFp1;
        case Language::fp2:
            return bFp2;
        case Language::nvfp4:
            return bNvfp4;
        case Language::unknown:
            break;
    }
    return 0;
}

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool isIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_' || s[0] == '$'))
        return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
    });
}

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(),
                                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// Splits at commas outside braces and brackets.
std::vector<std::string> splitOperands(const std::string& text) {
    std::vector<std::string> parts;
    std::string current;
    int depth = 0;
    for (char c : text) {
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') --depth;
        if (c == ',' && depth == 0) {
            parts.push_back(trim(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!trim(current).empty() || !parts.empty()) parts.push_back(trim(current));
    return parts;
}

// The numbers of "{a, b, c}", or none when the text is not such a list.
bool parseConstant(const std::string& text, std::vector<float>& values) {
    if (text.size() < 2 || text.front() != '{' || text.back() != '}') return false;
    values.clear();
    for (const std::string& part : splitOperands(text.substr(1, text.size() - 2))) {
        char* end = nullptr;
        const float v = std::strtof(part.c_str(), &end);
        if (part.empty() || end != part.c_str() + part.size()) return false;
        values.push_back(v);
    }
    return !values.empty() && values.size() <= 4;
}

// The strict <floatConstant> of the ARB and NV grammars: a decimal point or
// an exponent. A bare integer is an <int> only in NVfp4.0.
bool floatForm(const std::string& number) { return number.find_first_of(".eE") != std::string::npos; }

bool isNumber(const std::string& text) {
    if (text.empty()) return false;
    char* end = nullptr;
    std::strtof(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

// Component letters all from xyzw or all from rgba; -1 marks a bad letter.
std::vector<int> componentsOf(const std::string& letters) {
    const std::string xyzw = "xyzw", rgba = "rgba";
    const bool colour = !letters.empty() && rgba.find(letters[0]) != std::string::npos;
    const std::string& set = colour ? rgba : xyzw;
    std::vector<int> out;
    for (char c : letters) {
        const auto at = set.find(c);
        out.push_back(at == std::string::npos ? -1 : static_cast<int>(at));
    }
    return out;
}

class Checker {
public:
    ProgramCheck run(const std::string& text) {
        const auto headerEnd = text.find_first_of(" \t\r\n");
        const std::string header = text.substr(0, headerEnd);
        if (header == "!!ARBfp1.0") result_.language = Language::arb;
        if (header == "!!FP1.0") result_.language = Language::fp1;
        if (header == "!!FP2.0") result_.language = Language::fp2;
        if (header == "!!NVfp4.0") result_.language = Language::nvfp4;
        if (result_.language == Language::unknown) {
            problem("unknown header \"" + header.substr(0, 20) + "\"");
            return result_;
        }
        body(headerEnd == std::string::npos ? "" : text.substr(headerEnd));
        return result_;
    }

private:
    bool fp() const { return result_.language == Language::fp1 || result_.language == Language::fp2; }

    void problem(const std::string& what) {
        result_.problems.push_back((line_ > 0 ? "line " + std::to_string(line_) + ": " : "") + what);
    }

    void body(const std::string& text) {
        std::string cleaned;
        bool comment = false;
        for (char c : text) {
            if (c == '#') comment = true;
            if (c == '\n') comment = false;
            cleaned += comment ? ' ' : c;
        }
        std::size_t start = 0;
        std::size_t counted = 0;  // line breaks before `counted` are in lineBreaks
        int lineBreaks = 0;
        bool ended = false;
        while (start < cleaned.size()) {
            const auto semicolon = cleaned.find(';', start);
            const std::string piece =
                cleaned.substr(start, semicolon == std::string::npos ? std::string::npos : semicolon - start);
            const std::size_t statementStart =
                start + std::min(piece.find_first_not_of(" \t\r\n"), piece.size());
            lineBreaks += static_cast<int>(
                std::count(cleaned.begin() + counted, cleaned.begin() + statementStart, '\n'));
            counted = statementStart;
            line_ = 1 + lineBreaks;
            const std::string statementText = trim(piece);
            if (statementText.substr(0, statementText.find_first_of(" \t\r\n")) == "END") {
                ended = true;
                if (statementText != "END" || semicolon != std::string::npos) problem("text after END");
                break;
            }
            if (semicolon == std::string::npos) {
                if (!statementText.empty())
                    problem("statement without ';' or a missing END: \"" + statementText.substr(0, 40) +
                            "\"");
                break;
            }
            statement(statementText);
            start = semicolon + 1;
        }
        line_ = 0;
        if (!ended) problem("no END");
        finish();
    }

    void statement(const std::string& s) {
        const auto space = s.find_first_of(" \t\r\n");
        const std::string keyword = s.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : trim(s.substr(space));
        if (keyword.empty()) return problem("empty statement");
        if (keyword == "OPTION") return option(rest);
        seenNonOption_ = true;
        if (!fp() && declaration(keyword, rest)) return;
        if (fp() && (keyword == "DEFINE" || keyword == "DECLARE")) return fpDeclaration(keyword, rest);
        instruction(keyword, rest);
    }

    void option(const std::string& name) {
        if (fp()) return problem("OPTION in an FP program");
        if (seenNonOption_) problem("OPTION after the first declaration or instruction");
        if (result_.language != Language::nvfp4 && name == "NV_fragment_program") {
            if (result_.language == Language::arb) result_.language = Language::arbNv;
        } else if (result_.language != Language::nvfp4 && name == "NV_fragment_program2") {
            result_.language = Language::arbNv2;
        } else if (knownOptions.count(name) == 0) {
            problem("unknown option " + name.substr(0, 40));
        }
        for (const std::string& earlier : result_.options) {
            const bool bothHints =
                startsWith(earlier, "ARB_precision_hint") && startsWith(name, "ARB_precision_hint");
            const bool bothFog = startsWith(earlier, "ARB_fog") && startsWith(name, "ARB_fog");
            if (earlier == name || bothHints || bothFog)
                problem("options " + earlier + " and " + name + " together");
        }
        result_.options.push_back(name);
    }

    bool hasOption(const std::string& name) const {
        return std::find(result_.options.begin(), result_.options.end(), name) != result_.options.end();
    }

    void declareName(const std::string& name, std::set<std::string>& into) {
        const std::string base = name.substr(0, name.find('['));
        if (!isIdentifier(base)) return problem("bad name \"" + base.substr(0, 40) + "\"");
        if (temps_.count(base) || params_.count(base) || attribs_.count(base) || outputs_.count(base)) {
            return problem("name " + base + " declared twice");
        }
        into.insert(base);
    }

    bool declaration(const std::string& keyword, const std::string& rest) {
        std::string storage = keyword;
        std::string remainder = rest;
        if (keyword == "SHORT" || keyword == "LONG" || keyword == "INT" || keyword == "UINT" ||
            keyword == "FLOAT") {
            const bool allowed =
                result_.language == Language::nvfp4 ||
                ((keyword == "SHORT" || keyword == "LONG") && result_.language != Language::arb);
            if (!allowed) problem(keyword + " declarations need the NV option or NVfp4.0");
            if (!startsWith(rest, "TEMP")) problem(keyword + " without TEMP");
            storage = "TEMP";
            remainder = trim(rest.substr(std::min<std::size_t>(4, rest.size())));
        }
        if (storage == "TEMP") {
            for (const std::string& name : splitOperands(remainder)) declareName(name, temps_);
            return true;
        }
        if (storage == "PARAM" || storage == "ATTRIB" || storage == "OUTPUT" || storage == "ALIAS") {
            const auto equals = remainder.find('=');
            if (equals == std::string::npos) {
                problem(storage + " without a binding");
                return true;
            }
            const std::string name = trim(remainder.substr(0, equals));
            const std::string binding = trim(remainder.substr(equals + 1));
            std::set<std::string>& into = storage == "PARAM"    ? params_
                                          : storage == "ATTRIB" ? attribs_
                                          : storage == "OUTPUT" ? outputs_
                                                                : params_;
            declareName(name, into);
            std::vector<float> values;
            if (storage == "PARAM" && parseConstant(binding, values)) result_.constants[name] = values;
            if (storage == "PARAM") literals(binding, true);
            return true;
        }
        return false;
    }

    void fpDeclaration(const std::string& keyword, const std::string& rest) {
        const auto equals = rest.find('=');
        const std::string name = trim(rest.substr(0, equals));
        const bool looksLikeRegister =
            (name.size() > 1 && (name[0] == 'R' || name[0] == 'H') && allDigits(name.substr(1))) ||
            (startsWith(name, "TEX") && allDigits(name.substr(3)));
        if (!isIdentifier(name) || looksLikeRegister || opcodeNamed(name.substr(0, 3)) != nullptr) {
            return problem("bad name \"" + name.substr(0, 40) + "\" for " + keyword);
        }
        if (fpNames_.count(name)) return problem("name " + name + " declared twice");
        fpNames_.insert(name);
        if (keyword == "DECLARE") result_.namedParameters.push_back(name);
        std::vector<float> values;
        if (equals == std::string::npos) {
            if (keyword == "DEFINE") problem("DEFINE " + name + " without a value");
            return;
        }
        const std::string value = trim(rest.substr(equals + 1));
        literals(value, true);
        if (parseConstant(value, values)) {
            if (keyword == "DEFINE") result_.constants[name] = values;
        } else if (!isNumber(value)) {
            problem(keyword + " " + name + " has no constant value");
        }
    }

    static const OpcodeRule* opcodeNamed(const std::string& name) {
        for (const OpcodeRule& rule : opcodeRules) {
            if (name == rule.name) return &rule;
        }
        return nullptr;
    }

    // Splits "MADR_SAT" or "MUL.F.SAT" into the mnemonic and its suffixes.
    bool splitOpcode(const std::string& token, CheckedInstruction& in, bool& conditionCode) {
        std::string rest;
        if (result_.language == Language::nvfp4 && token.find('.') != std::string::npos) {
            in.mnemonic = token.substr(0, token.find('.'));
            std::string modifiers = token.substr(token.find('.'));
            static const std::set<std::string> known = {"F", "U", "S", "CC", "CC0", "CC1", "SAT", "SSAT"};
            std::size_t at = 0;
            while (at < modifiers.size()) {
                const auto next = modifiers.find('.', at + 1);
                const std::string modifier =
                    modifiers.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
                if (known.count(modifier) == 0) return false;
                if (modifier == "SAT" || modifier == "SSAT") in.saturate = true;
                at = next == std::string::npos ? modifiers.size() : next;
            }
            return true;
        }
        in.mnemonic = token.size() >= 3 ? token.substr(0, 3) : token;
        rest = token.size() >= 3 ? token.substr(3) : "";
        if (!rest.empty() && (rest[0] == 'R' || rest[0] == 'H' || rest[0] == 'X')) {
            in.precision = rest.substr(0, 1);
            rest = rest.substr(1);
        }
        if (!rest.empty() && rest[0] == 'C') {
            conditionCode = true;
            rest = rest.substr(1);
        }
        if (rest == "_SAT" || rest == "_SSAT") {
            in.saturate = true;
            if (rest == "_SSAT" && !(languageBit(result_.language) & nv2)) return false;
            rest.clear();
        }
        return rest.empty();
    }

    void instruction(const std::string& token, const std::string& rest) {
        CheckedInstruction in;
        in.line = line_;
        in.loopDepth = static_cast<int>(loopStack_.size());
        std::vector<std::string> operands = rest.empty() ? std::vector<std::string>{} : splitOperands(rest);
        if (flowKeywords.count(token)) return flow(token, operands, in);
        bool conditionCode = false;
        if (!splitOpcode(token, in, conditionCode))
            return problem("bad opcode or suffix " + token.substr(0, 40));
        const unsigned bit = languageBit(result_.language);
        if (!(in.precision.empty() && !conditionCode) && !(bit & nvOption)) {
            problem(token + ": suffixes need the NV option");
        }
        if (textureOps.count(in.mnemonic)) {
            texture(in, operands);
        } else if (in.mnemonic == "KIL") {
            if (operands.size() != 1) problem("KIL takes one operand");
        } else {
            alu(in, operands, bit);
        }
        ++instructionCount_;
        result_.instructions.push_back(in);
    }

    void alu(CheckedInstruction& in, const std::vector<std::string>& operands, unsigned bit) {
        const OpcodeRule* rule = opcodeNamed(in.mnemonic);
        if (rule == nullptr) return problem("unknown opcode " + in.mnemonic);
        if (!(rule->languages & bit))
            problem(in.mnemonic + " is not an instruction of " + languageName(result_.language));
        if (in.precision == "X" &&
            (rule->precision == Precision::floatOnly || result_.language == Language::nvfp4))
            problem(in.mnemonic + " takes no X suffix");
        if (!in.precision.empty() && (rule->noPrecision & bit))
            problem(in.mnemonic + " takes no precision suffix in " + languageName(result_.language));
        if (static_cast<int>(operands.size()) != rule->sources + 1) {
            return problem(in.mnemonic + " takes " + std::to_string(rule->sources + 1) + " operands");
        }
        destination(operands[0], in);
        for (int k = 1; k <= rule->sources; ++k) {
            const bool scalar =
                std::string(rule->scalarSources).find(static_cast<char>('0' + k - 1)) != std::string::npos;
            source(operands[k], scalar, in);
        }
        limitInputs(in);
        const std::vector<int> mask = componentsOf(in.writeMask);
        auto writes = [&](int c) {
            return in.writeMask.empty() || std::find(mask.begin(), mask.end(), c) != mask.end();
        };
        if ((in.mnemonic == "RFL" || in.mnemonic == "NRM") && writes(3))
            problem(in.mnemonic + " must not write w");
        if (in.mnemonic == "SCS" && (writes(2) || writes(3))) problem("SCS writes only x and y");
    }

    void texture(CheckedInstruction& in, const std::vector<std::string>& operands) {
        if (operands.size() != 4) return problem(in.mnemonic + " takes 4 operands");
        destination(operands[0], in);
        source(operands[1], false, in);
        const std::string& unit = operands[2];
        const bool unitOk = fp()
                                ? (startsWith(unit, "TEX") && allDigits(unit.substr(3)))
                                : (unit == "texture" || (startsWith(unit, "texture[") && unit.back() == ']' &&
                                                         allDigits(unit.substr(8, unit.size() - 9))));
        if (!unitOk) problem("bad texture image unit " + unit.substr(0, 40));
        if (textureTargets.count(operands[3]) == 0)
            problem("bad texture target " + operands[3].substr(0, 40));
        in.sources.push_back(unit);
        in.sources.push_back(operands[3]);
        limitInputs(in);
    }

    void flow(const std::string& keyword, const std::vector<std::string>& operands, CheckedInstruction& in) {
        const unsigned bit = languageBit(result_.language);
        const bool loopsAllowed = (bit & (bArbNv2 | bFp2)) || (result_.language == Language::nvfp4 &&
                                                               keyword != "LOOP" && keyword != "ENDLOOP");
        if (!loopsAllowed)
            problem(keyword + " is not part of " + std::string(languageName(result_.language)));
        in.mnemonic = keyword;
        if (loopOpeners.count(keyword)) {
            loopStack_.push_back(keyword == "LOOP" ? "ENDLOOP" : "ENDREP");
            if (loopStack_.size() > deepestLoops)
                problem("loops nested deeper than " + std::to_string(deepestLoops));
            if (operands.size() == 1) {
                in.sources.push_back(operands[0]);
                loopCount(operands[0]);
            } else if (!(keyword == "REP" && operands.empty())) {
                problem(keyword + " takes one operand");
            }
        } else if (keyword == "ENDLOOP" || keyword == "ENDREP") {
            if (loopStack_.empty() || loopStack_.back() != keyword) problem(keyword + " without its loop");
            if (!loopStack_.empty()) loopStack_.pop_back();
        }
        result_.instructions.push_back(in);
        ++instructionCount_;
    }

    void loopCount(const std::string& operand) {
        std::string name = operand;
        const auto dot = name.find('.');
        if (dot != std::string::npos) name = name.substr(0, dot);
        std::vector<float> values;
        if (parseConstant(name, values)) {
            literals(name, false);
        } else {
            if (result_.constants.count(name) == 0) return;  // a parameter set by the application
            values = result_.constants[name];
        }
        const float count = values[0];
        if (count < 0.0f || count > mostLoopCount || count != static_cast<float>(static_cast<int>(count))) {
            problem("loop count outside 0 to " + std::to_string(mostLoopCount));
        }
        result_.loopCounts.push_back(static_cast<int>(count));
    }

    void destination(const std::string& operand, CheckedInstruction& in) {
        // A condition-code mask, "(GT.x)", may follow the register and its mask.
        const std::string text = trim(operand.substr(0, operand.find('(')));
        if (text.size() != operand.size()) conditionMask(trim(operand.substr(text.size())));
        std::string reg = text;
        const auto dot = registerSuffixStart(text);
        if (dot != std::string::npos) {
            in.writeMask = text.substr(dot + 1);
            reg = text.substr(0, dot);
            const std::vector<int> mask = componentsOf(in.writeMask);
            const bool ordered = std::is_sorted(mask.begin(), mask.end()) &&
                                 std::adjacent_find(mask.begin(), mask.end()) == mask.end();
            if (mask.empty() || mask.size() > 4 || !ordered || std::count(mask.begin(), mask.end(), -1) > 0) {
                problem("bad write mask ." + in.writeMask.substr(0, 10));
            }
        }
        in.destination = reg;
        if (fp()) {
            if (reg == "o[COLR]" || reg == "o[COLH]") fpColourOutputs_.insert(reg);
            if (!fpRegister(reg) && reg != "o[COLR]" && reg != "o[COLH]" && reg != "o[DEPR]" && reg != "RC" &&
                reg != "HC") {
                problem("cannot write " + reg.substr(0, 40));
            }
            return;
        }
        if (startsWith(reg, "result.color")) {
            resultColour(reg);
            return;
        }
        if (reg == "result.depth" || temps_.count(reg) || outputs_.count(reg)) return;
        problem("cannot write " + reg.substr(0, 40));
    }

    void conditionMask(const std::string& mask) {
        static const std::set<std::string> tests = {"EQ", "GE", "GT", "LE", "LT", "NE", "TR", "FL"};
        const bool enclosed = mask.size() >= 4 && mask.front() == '(' && mask.back() == ')';
        const std::string rule = enclosed ? mask.substr(1, mask.size() - 2) : "";
        const std::string swizzle = rule.size() > 3 && rule[2] == '.' ? rule.substr(3) : "";
        const std::vector<int> components = componentsOf(swizzle);
        const bool swizzleOk =
            rule.size() == 2 || ((components.size() == 1 || components.size() == 4) &&
                                 std::count(components.begin(), components.end(), -1) == 0);
        if (!(languageBit(result_.language) & nvOption)) problem("condition-code masks need the NV option");
        if (!enclosed || tests.count(rule.substr(0, 2)) == 0 || !swizzleOk)
            problem("bad condition-code mask " + mask.substr(0, 20));
    }

    void resultColour(const std::string& reg) {
        if (reg == "result.color") return;
        const bool indexed = startsWith(reg, "result.color[") && reg.back() == ']' &&
                             allDigits(reg.substr(13, reg.size() - 14));
        if (!indexed) return problem("bad output " + reg.substr(0, 40));
        if (result_.language != Language::nvfp4 && !hasOption("ARB_draw_buffers") &&
            !hasOption("ATI_draw_buffers")) {
            problem(reg + " needs OPTION ARB_draw_buffers");
        }
    }

    // Where the swizzle or mask of an operand starts: the first dot after
    // any built-in name (which has dots of its own) and any bracket.
    static std::size_t registerSuffixStart(const std::string& text) {
        static const char* const builtins[] = {"fragment.color.primary", "fragment.color.secondary",
                                               "fragment.color",         "fragment.texcoord",
                                               "fragment.fogcoord",      "fragment.position",
                                               "result.color",           "result.depth",
                                               "program.local",          "program.env"};
        std::size_t from = 0;
        for (const char* builtin : builtins) {
            if (startsWith(text, builtin)) {
                from = std::string(builtin).size();
                break;
            }
        }
        if (startsWith(text, "state.")) return std::string::npos;
        const auto bracket = text.find(']', from);
        if (bracket != std::string::npos) from = bracket;
        return text.find('.', from);
    }

    // Integer constants: outside the ARB and NV float grammars; in NVfp4.0
    // legal, but an untyped PARAM holding one draws the assembler's warning.
    void literals(const std::string& constant, bool declared) {
        if (result_.language == Language::nvfp4 && !declared) return;
        const bool braced = constant.size() >= 2 && constant.front() == '{' && constant.back() == '}';
        const std::vector<std::string> numbers = braced
                                                     ? splitOperands(constant.substr(1, constant.size() - 2))
                                                     : std::vector<std::string>{constant};
        for (const std::string& number : numbers) {
            if (!isNumber(number) || floatForm(number)) continue;
            problem("integer constant " + number.substr(0, 20) +
                    (result_.language == Language::nvfp4
                         ? " in an untyped PARAM"
                         : " where a float constant needs a point or an exponent"));
        }
    }

    bool fpRegister(const std::string& reg) {
        if (reg.size() < 2 || (reg[0] != 'R' && reg[0] != 'H') || !allDigits(reg.substr(1)) || reg.size() > 4)
            return false;
        const int number = std::atoi(reg.c_str() + 1);
        if (number > (reg[0] == 'R' ? 31 : 63)) return false;
        fpRegisters_.insert(reg);
        return true;
    }

    void source(std::string text, bool scalar, CheckedInstruction& in) {
        in.sources.push_back(text);
        if (!text.empty() && (text[0] == '-' || text[0] == '+')) text = trim(text.substr(1));
        if (text.size() >= 2 && text.front() == '|' && text.back() == '|') {
            if (!(languageBit(result_.language) & nvOption))
                problem("|absolute| operands need the NV option");
            text = trim(text.substr(1, text.size() - 2));
        }
        std::string reg = text, swizzle;
        std::vector<float> values;
        if (!text.empty() && text[0] == '{') {
            const auto close = text.find('}');
            reg = text.substr(0, close == std::string::npos ? text.size() : close + 1);
            if (close != std::string::npos && close + 1 < text.size()) {
                if (text[close + 1] != '.') return problem("bad operand " + text.substr(0, 40));
                swizzle = text.substr(close + 2);
            }
            if (!parseConstant(reg, values)) return problem("bad constant " + reg.substr(0, 40));
            literals(reg, false);
            inputs_.push_back({"constant", static_cast<int>(values.size()), true});
        } else if (isNumber(text)) {
            literals(text, false);
            inputs_.push_back({"constant", 1, true});
            reg.clear();
        } else {
            const auto dot = registerSuffixStart(text);
            if (dot != std::string::npos) {
                reg = text.substr(0, dot);
                swizzle = text.substr(dot + 1);
            }
            sourceRegister(reg);
        }
        if (!swizzle.empty()) {
            const std::vector<int> components = componentsOf(swizzle);
            if ((components.size() != 1 && components.size() != 4) ||
                std::count(components.begin(), components.end(), -1)) {
                problem("bad swizzle ." + swizzle.substr(0, 10));
            }
        }
        if (scalar && !reg.empty() && componentsOf(swizzle).size() != 1) {
            problem(in.mnemonic + " needs a scalar operand such as " + reg.substr(0, 40) + ".x");
        }
    }

    void sourceRegister(const std::string& reg) {
        if (fp()) {
            if (fpRegister(reg)) return;
            if (startsWith(reg, "f[") && reg.back() == ']' &&
                fp1Attributes.count(reg.substr(2, reg.size() - 3))) {
                inputs_.push_back({reg, 0, false, true});
                return;
            }
            if (startsWith(reg, "p[") && reg.back() == ']' && allDigits(reg.substr(2, reg.size() - 3))) {
                inputs_.push_back({reg, 0, false});
                return;
            }
            if (fpNames_.count(reg)) {
                const bool defined = result_.constants.count(reg) > 0;
                inputs_.push_back(
                    {reg, defined ? static_cast<int>(result_.constants[reg].size()) : 0, defined});
                return;
            }
            return problem("unknown operand " + reg.substr(0, 40));
        }
        if (temps_.count(reg) || params_.count(reg) || attribs_.count(reg) || outputs_.count(reg)) return;
        static const char* const attributes[] = {"fragment.color",           "fragment.color.primary",
                                                 "fragment.color.secondary", "fragment.fogcoord",
                                                 "fragment.position",        "fragment.texcoord"};
        for (const char* a : attributes) {
            if (reg == a) return;
        }
        for (const char* indexed : {"fragment.texcoord[", "program.local[", "program.env["}) {
            const std::string prefix = indexed;
            if (startsWith(reg, prefix) && reg.back() == ']' &&
                allDigits(reg.substr(prefix.size(), reg.size() - prefix.size() - 1))) {
                return;
            }
        }
        if (startsWith(reg, "state.")) return;
        problem("unknown operand " + reg.substr(0, 40));
    }

    // FP1.0's load-time rule: one distinct attribute and one distinct
    // parameter per instruction, unless every parameter is a constant and
    // they hold at most four scalars together.
    void limitInputs(const CheckedInstruction& in) {
        if (fp()) {
            std::set<std::string> attributes, parameters;
            bool allConstant = true;
            int scalars = 0;
            for (const Input& input : inputs_) {
                if (input.attribute) {
                    attributes.insert(input.name);
                    continue;
                }
                parameters.insert(input.name == "constant" ? "constant" + std::to_string(parameters.size())
                                                           : input.name);
                allConstant = allConstant && input.constant;
                scalars += input.scalars;
            }
            if (attributes.size() > 1) problem(in.mnemonic + " reads more than one attribute");
            if (parameters.size() > 1 && !(allConstant && scalars <= 4))
                problem(in.mnemonic + " reads more than one parameter");
        }
        inputs_.clear();
    }

    void finish() {
        if (!loopStack_.empty()) problem("a loop without " + loopStack_.back());
        if (!fp()) return;
        int budget = 0;
        for (const std::string& reg : fpRegisters_) budget += reg[0] == 'R' ? 2 : 1;
        if (budget > fp1RegisterBudget) problem("registers use " + std::to_string(budget) + " of 64 slots");
        if (instructionCount_ > fp1MostInstructions) problem("more than 1024 instructions");
        if (fpColourOutputs_.empty()) problem("no colour output written");
        if (fpColourOutputs_.size() > 1) problem("both o[COLR] and o[COLH] written");
    }

    struct Input {
        std::string name;
        int scalars = 0;
        bool constant = false;
        bool attribute = false;
    };

    ProgramCheck result_;
    int line_ = 0;
    bool seenNonOption_ = false;
    int instructionCount_ = 0;
    std::set<std::string> temps_, params_, attribs_, outputs_, fpNames_, fpRegisters_, fpColourOutputs_;
    std::vector<std::string> loopStack_;
    std::vector<Input> inputs_;
};

}  // namespace

const char* languageName(Language language) {
    switch (language) {
        case Language::arb:
            return "ARBfp1.0";
        case Language::arbNv:
            return "ARBfp1.0 with the NV option";
        case Language::arbNv2:
            return "ARBfp1.0 with the NV2 option";
        case Language::fp1:
            return "FP1.0";
        case Language::fp2:
            return "FP2.0";
        case Language::nvfp4:
            return "NVfp4.0";
        case Language::unknown:
            break;
    }
    return "an unknown language";
}

ProgramCheck checkProgram(const std::string& text) { return Checker().run(text); }

}  // namespace progcheck
