#include "bench/fpgen/dialect.h"

#include <set>

#include "bench/tables.h"

namespace fpgen {
namespace {

const std::set<std::string> arbOpcodes = {"ABS", "ADD", "COS", "DP3", "DP4", "DPH", "DST", "EX2", "FLR",
                                          "FRC", "LG2", "LIT", "LRP", "MAD", "MAX", "MIN", "MOV", "MUL",
                                          "POW", "RCP", "RSQ", "SCS", "SIN", "SUB", "XPD", "TEX"};
const std::set<std::string> fp1Opcodes = {"ADD", "COS", "DP3", "DP4", "DST", "EX2", "FLR", "FRC",
                                          "LG2", "LIT", "LRP", "MAD", "MAX", "MIN", "MOV", "MUL",
                                          "POW", "RCP", "RSQ", "SIN", "SUB", "RFL", "TEX"};
const std::set<std::string> nv2Additions = {"DIV", "DP2", "NRM"};

// Mnemonics that take R, H and X; those that take R and H only. The NV
// option gives SCS and XPD no precision suffix at all (only _SAT); the NV2
// option and FP2.0 add R and H to them.
const std::set<std::string> fullPrecision = {"ABS", "ADD", "DP2", "DP3", "DP4", "DPH", "FLR", "FRC",
                                             "LRP", "MAD", "MAX", "MIN", "MOV", "MUL", "SUB"};
const std::set<std::string> floatPrecision = {"COS", "DST", "EX2", "LG2", "LIT", "POW", "RCP",
                                              "RFL", "RSQ", "SIN", "DIV", "NRM", "SCS", "XPD"};
const std::set<std::string> noPrecisionUnderNvOption = {"SCS", "XPD"};

struct FlopCount {
    const char* op;
    int flops;
    bool perComponent;
};
const FlopCount flopTable[] = {
    {"ABS", 0, false}, {"ADD", 1, true},   {"SUB", 1, true},  {"MUL", 1, true},  {"MIN", 1, true},
    {"MAX", 1, true},  {"MAD", 2, true},   {"LRP", 3, true},  {"MOV", 0, false}, {"FLR", 1, true},
    {"FRC", 1, true},  {"DP2", 3, false},  {"DP3", 5, false}, {"DP4", 7, false}, {"DPH", 6, false},
    {"DST", 2, false}, {"XPD", 9, false},  {"RCP", 1, false}, {"RSQ", 1, false}, {"EX2", 1, false},
    {"LG2", 1, false}, {"SIN", 1, false},  {"COS", 1, false}, {"POW", 3, false}, {"SCS", 2, false},
    {"LIT", 5, false}, {"RFL", 18, false}, {"DIV", 1, true},  {"NRM", 9, false},
};

}  // namespace

bool Dialect::hasOpcode(const std::string& op) const {
    switch (language) {
        case Language::arb:
            return arbOpcodes.count(op) > 0 || (nvOption >= 1 && op == "RFL") ||
                   (nvOption >= 2 && nv2Additions.count(op) > 0);
        case Language::fp1:
            return fp1Opcodes.count(op) > 0;
        case Language::fp2:
            return fp1Opcodes.count(op) > 0 || nv2Additions.count(op) > 0;
        case Language::nvfp4:
            return op == "TEX" || instructionByName(op) != AluInstruction::INVALID;
    }
    return false;
}

bool Dialect::hasLoops() const {
    return language == Language::fp2 || language == Language::nvfp4 ||
           (language == Language::arb && nvOption == 2);
}

bool Dialect::hasRepOnly() const { return language == Language::nvfp4; }

bool Dialect::hasPrecisionSuffixes() const {
    return language == Language::fp1 || language == Language::fp2 ||
           (language == Language::arb && nvOption >= 1);
}

bool Dialect::needsPrecisionSuffix() const { return language == Language::fp1 || language == Language::fp2; }

bool Dialect::hasStorageDeclarations() const {
    return language == Language::nvfp4 || (language == Language::arb && nvOption >= 1);
}

bool Dialect::usesNumberedRegisters() const { return language == Language::fp1 || language == Language::fp2; }

bool Dialect::hasOptions() const { return language == Language::arb || language == Language::nvfp4; }

Dialect dialectOf(const BenchSettings& settings) {
    Dialect d;
    switch (settings.fragmentProgram) {
        case FragmentProfile::FP1:
            d.language = Language::fp1;
            break;
        case FragmentProfile::FP2:
            d.language = Language::fp2;
            break;
        case FragmentProfile::FP4:
            d.language = Language::nvfp4;
            break;
        default:
            d.language = Language::arb;
            d.nvOption = settings.nvOption;
            break;
    }
    return d;
}

std::string Dialect::precisionSuffix(const std::string& op, const std::string& precision) const {
    if (precision.empty()) return "";
    if (language == Language::arb && nvOption == 1 && noPrecisionUnderNvOption.count(op) > 0) return "";
    if (fullPrecision.count(op) > 0) return precision;
    if (floatPrecision.count(op) > 0) return precision == "X" ? "H" : precision;
    return "";
}

int opcodeFlops(const std::string& op, int components) {
    for (const FlopCount& row : flopTable) {
        if (op == row.op) return row.perComponent ? row.flops * components : row.flops;
    }
    return 0;
}

}  // namespace fpgen
