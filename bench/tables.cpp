#include "bench/tables.h"

#include "gl/gl_types.h"

const ProfileRow profileTable[5] = {
    {"ARB", "ARBfp1.0", "GL_ARB_fragment_program"},
    {"FP1", "FP1.0", "GL_NV_fragment_program"},
    {"FP2", "FP2.0", "GL_NV_fragment_program2"},
    {"FP4", "FP4.0", "GL_NV_fragment_program4"},
    {"INVALID", "", ""},
};

GLenum programTarget(std::uint8_t profile) {
    switch (profile) {
        case FragmentProfile::ARB:
        case FragmentProfile::FP4:
            return glenum::FRAGMENT_PROGRAM_ARB;
        case FragmentProfile::FP1:
        case FragmentProfile::FP2:
            return glenum::FRAGMENT_PROGRAM_NV;
        default:
            return 0;
    }
}

namespace {

const char* const instructionNames[AluInstruction::count + 1] = {
    "ABS", "ADD", "COS", "DP3", "DP4", "DPH", "DST", "EX2", "FLR", "FRC",
    "LG2", "LIT", "LRP", "MAD", "MAX", "MIN", "MOV", "MUL", "POW", "RCP",
    "RSQ", "SCS", "SIN", "SUB", "XPD", "RFL", "DIV", "DP2", "NRM", "INVALID",
};

// Texts shorter than three characters are looked up as the empty text, which
// occurs in no name.
bool occursIn(const std::string& text, const char* name) {
    return text.size() >= 3 && std::string(name).find(text) != std::string::npos;
}

}  // namespace

std::uint8_t profileByName(const std::string& text) {
    std::uint8_t result = FragmentProfile::INVALID;
    for (std::uint8_t row = 0; row <= FragmentProfile::INVALID; ++row)
        if (occursIn(text, profileTable[row].name)) result = row;
    return result;
}

std::uint8_t instructionByName(const std::string& text) {
    for (std::uint8_t row = 0; row <= AluInstruction::INVALID; ++row)
        if (occursIn(text, instructionNames[row])) return row;
    return AluInstruction::INVALID;
}

const char* instructionName(std::uint8_t index) {
    return instructionNames[index > AluInstruction::INVALID ? AluInstruction::INVALID : index];
}

const ResultPrefixRow resultPrefixTable[3] = {{"K", 1e3}, {"M", 1e6}, {"G", 1e9}};
