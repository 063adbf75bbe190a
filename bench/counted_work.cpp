#include "bench/counted_work.h"

#include <algorithm>
#include <set>
#include <utility>

#include "bench/fpgen/dialect.h"
#include "bench/tables.h"

namespace {

struct HeaderRow {
    const char* text;
    std::uint8_t language;
};
const HeaderRow headers[] = {
    {"!!ARBfp1.0", FragmentProfile::ARB},
    {"!!FP1.0", FragmentProfile::FP1},
    {"!!FP2.0", FragmentProfile::FP2},
    {"!!NVfp4.0", FragmentProfile::FP4},
};

const std::set<std::string> fetchOps = {"TEX", "TXP", "TXB", "TXD", "TXL", "TXF"};
// Texture instructions that read no texel.
const std::set<std::string> otherTextureOps = {"KIL", "TXQ"};
const std::set<std::string> flowOps = {"IF",      "ELSE", "ENDIF", "REP", "ENDREP", "LOOP",
                                       "ENDLOOP", "BRK",  "CONT",  "CAL", "RET"};
// The languages' ALU mnemonics beyond the instruction table's.
const std::set<std::string> otherAluOps = {
    "CMP", "SGE",   "SLT",  "SWZ",   "SEQ",  "SFL",   "SGT",  "SLE",   "SNE",  "STR",   "DDX",  "DDY",
    "X2D", "DP2A",  "PK2H", "PK2US", "PK4B", "PK4UB", "UP2H", "UP2US", "UP4B", "UP4UB", "CEIL", "I2F",
    "NOT", "ROUND", "SSG",  "TRUNC", "RCC",  "SHL",   "SHR",  "MOD",   "AND",  "OR",    "XOR",  "SAD"};
// Words before a declaration's keyword.
const std::set<std::string> declarationModifiers = {"SHORT", "LONG", "INT",      "UINT",
                                                    "FLOAT", "FLAT", "CENTROID", "NOPERSPECTIVE"};
const std::set<std::string> declarationWords = {"OPTION",  "TEMP",   "PARAM",   "ATTRIB", "OUTPUT", "ALIAS",
                                                "ADDRESS", "DEFINE", "DECLARE", "BUFFER", "BUFFER4"};

const char* const blanks = " \t\r\n";

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool identifierCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

bool knownMnemonic(const std::string& op) {
    return instructionByName(op) != AluInstruction::INVALID || otherAluOps.count(op) > 0 ||
           fetchOps.count(op) > 0 || otherTextureOps.count(op) > 0 || flowOps.count(op) > 0;
}

// The mnemonic of an opcode token: NVfp4.0 modifiers (".F.SAT"), the
// saturation suffix, the condition-code C and the precision R, H or X come
// off, in that order, as long as what is left is no mnemonic already.
std::string baseMnemonic(const std::string& token) {
    std::string op = token.substr(0, token.find('.'));
    for (const std::string saturation : {"_SSAT", "_SAT"}) {
        if (op.size() > saturation.size() &&
            op.compare(op.size() - saturation.size(), saturation.size(), saturation) == 0) {
            op.resize(op.size() - saturation.size());
            break;
        }
    }
    std::string stripped = op;
    for (const std::string suffixes : {"C", "RHX"}) {
        if (knownMnemonic(stripped)) return stripped;
        if (stripped.size() > 3 && suffixes.find(stripped.back()) != std::string::npos) stripped.pop_back();
    }
    return knownMnemonic(stripped) ? stripped : op;
}

// "result.color[1].xyz" -> {"result.color[1]", "xyz"}: the mask starts at
// the first dot after a binding's own dot and after any bracket.
std::pair<std::string, std::string> splitWriteMask(const std::string& operand) {
    std::size_t from = startsWith(operand, "result.") ? 7 : 0;
    const auto bracket = operand.find(']', from);
    if (bracket != std::string::npos) from = bracket;
    const auto dot = operand.find('.', from);
    if (dot == std::string::npos) return {operand, ""};
    return {operand.substr(0, dot), operand.substr(dot + 1)};
}

std::set<int> maskComponents(const std::string& mask) {
    if (mask.empty()) return {0, 1, 2, 3};
    std::set<int> components;
    for (char c : mask) {
        const auto xyzw = std::string("xyzw").find(c), rgba = std::string("rgba").find(c);
        if (xyzw != std::string::npos) components.insert(static_cast<int>(xyzw));
        if (rgba != std::string::npos) components.insert(static_cast<int>(rgba));
    }
    return components.empty() ? std::set<int>{0, 1, 2, 3} : components;
}

// The colour output a register names ("result.color", "result.color[n]",
// FP1.0's "o[COLR]" and "o[COLH]"), as "color" and its index; empty for any
// other register.
std::string colourOutput(const std::string& reg) {
    if (reg == "result.color" || reg == "o[COLR]" || reg == "o[COLH]") return "color0";
    if (startsWith(reg, "result.color[") && reg.back() == ']') {
        const std::string index = trim(reg.substr(13, reg.size() - 14));
        return "color" + (index.empty() ? "0" : index);
    }
    return "";
}

class Counter {
public:
    explicit Counter(CountedWork& work) : work_(work) {}

    // Statements end at ';'; an instruction label ("name:") may lead one.
    void count(const std::string& body) {
        std::size_t start = 0;
        while (start < body.size()) {
            const auto end = body.find(';', start);
            const std::string statement = withoutLabels(trim(body.substr(start, end - start)));
            const std::string word = statement.substr(0, statement.find_first_of(blanks));
            if (word == "END") break;
            if (!word.empty()) this->statement(word, trim(statement.substr(word.size())));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        for (const auto& output : outputs_) work_.bytesWritten += 4 * static_cast<int>(output.second.size());
    }

private:
    static std::string withoutLabels(std::string statement) {
        for (auto colon = statement.find(':'); colon != std::string::npos; colon = statement.find(':')) {
            const std::string label = trim(statement.substr(0, colon));
            if (label.empty() || !std::all_of(label.begin(), label.end(), identifierCharacter)) break;
            statement = trim(statement.substr(colon + 1));
        }
        return statement;
    }

    void statement(const std::string& word, const std::string& rest) {
        if (declarationModifiers.count(word) > 0) {
            const std::string next = rest.substr(0, rest.find_first_of(blanks));
            return statement(next, trim(rest.substr(next.size())));
        }
        if (declarationWords.count(word) == 0) return instruction(baseMnemonic(word), rest);
        if (word == "OPTION" && work_.language == FragmentProfile::ARB) {
            if (rest == "NV_fragment_program") work_.nvOption = std::max(work_.nvOption, 1);
            if (rest == "NV_fragment_program2") work_.nvOption = 2;
        }
        // Names that stand for a colour output.
        const auto equals = rest.find('=');
        if ((word == "OUTPUT" || word == "ALIAS") && equals != std::string::npos)
            names_[trim(rest.substr(0, equals))] = trim(rest.substr(equals + 1));
    }

    void instruction(const std::string& op, const std::string& operands) {
        ++work_.instructions;
        if (flowOps.count(op) > 0) {
            work_.flowControl = true;
            return;
        }
        if (op == "KIL") return;
        const int components = destination(operands);
        if (fetchOps.count(op) > 0) {
            ++work_.texels;
        } else if (otherTextureOps.count(op) == 0) {
            ++work_.aluByOpcode[op];
            work_.flops += fpgen::opcodeFlops(op, components);
        }
    }

    // Records a colour output write and gives the number of components
    // written. The destination is the first operand, less any condition
    // ("R0.xy (GT.x)").
    int destination(const std::string& operands) {
        const std::string first = operands.substr(0, operands.find(','));
        const auto [named, mask] = splitWriteMask(trim(first.substr(0, first.find_first_of(" \t\r\n("))));
        std::string reg = named;
        // Each step of a name leads to an earlier declaration, so a chain is
        // at most as long as the names; a circular one is bad text.
        for (std::size_t step = 0; step < names_.size() && names_.count(reg) > 0; ++step) reg = names_[reg];
        const std::set<int> components = maskComponents(mask);
        const std::string output = colourOutput(reg);
        if (!output.empty()) outputs_[output].insert(components.begin(), components.end());
        return static_cast<int>(components.size());
    }

    CountedWork& work_;
    std::map<std::string, std::string> names_;
    std::map<std::string, std::set<int>> outputs_;
};

}  // namespace

std::uint8_t programLanguage(const ProgramSource& source) {
    if (source.empty()) return FragmentProfile::INVALID;
    const std::string& first = source[0];
    for (const HeaderRow& header : headers) {
        const std::size_t length = std::string(header.text).size();
        if (startsWith(first, header.text) &&
            (first.size() == length || std::string(" \t#").find(first[length]) != std::string::npos))
            return header.language;
    }
    return FragmentProfile::INVALID;
}

CountedWork countProgramWork(const ProgramSource& source) {
    CountedWork work;
    work.language = programLanguage(source);
    if (work.language == FragmentProfile::INVALID) return work;
    std::string body;
    for (const std::string& line : source) body += line.substr(0, line.find('#')) + "\n";
    const std::string header = source[0].substr(0, source[0].find_first_of(" \t#"));
    Counter(work).count(body.substr(header.size()));
    return work;
}

const char* languageHeader(std::uint8_t language) {
    for (const HeaderRow& header : headers)
        if (header.language == language) return header.text;
    return "";
}
