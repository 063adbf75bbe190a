// The fixed vocabulary: fragment-program profiles, their GL targets, and the
// ALU instructions korvex can test.
#pragma once

#include <cstdint>
#include <string>

#include "gl/gl_types.h"

namespace FragmentProfile {
constexpr std::uint8_t ARB = 0;
constexpr std::uint8_t FP1 = 1;
constexpr std::uint8_t FP2 = 2;
constexpr std::uint8_t FP4 = 3;
constexpr std::uint8_t INVALID = 4;
}  // namespace FragmentProfile

struct ProfileRow {
    const char* name;
    const char* headerTag;
    const char* extension;
};
extern const ProfileRow profileTable[5];

// The GL target of each profile. FP4 programs are NVfp4.0 texts, which load
// and bind on the ARB target; INVALID has none.
GLenum programTarget(std::uint8_t profile);

namespace AluInstruction {
constexpr std::uint8_t ABS = 0, ADD = 1, COS = 2, DP3 = 3, DP4 = 4, DPH = 5, DST = 6, EX2 = 7, FLR = 8,
                       FRC = 9, LG2 = 10, LIT = 11, LRP = 12, MAD = 13, MAX = 14, MIN = 15, MOV = 16,
                       MUL = 17, POW = 18, RCP = 19, RSQ = 20, SCS = 21, SIN = 22, SUB = 23, XPD = 24,
                       RFL = 25, DIV = 26, DP2 = 27, NRM = 28, INVALID = 29;
constexpr int count = 29;
}  // namespace AluInstruction

// Index of the last profile row whose name contains `text`; texts shorter
// than three characters match nothing.
std::uint8_t profileByName(const std::string& text);
// Index of the first instruction whose name contains `text`, same rule.
std::uint8_t instructionByName(const std::string& text);
// The mnemonic of an index; indices above 29 give "INVALID".
const char* instructionName(std::uint8_t index);

// The rate prefixes "K", "M", "G" with their divisors.
struct ResultPrefixRow {
    const char* letter;
    double divisor;
};
extern const ResultPrefixRow resultPrefixTable[3];
