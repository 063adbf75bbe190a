// Says whether a fragment program text is well-formed for its language, by
// the rules of the public language specifications: the header and END,
// options and declarations, which opcodes and suffixes each language has,
// operand counts and scalar operands, write masks, loops and their counts,
// and the FP1.0 load-time rules (one attribute and one parameter per
// instruction, the register budget, one colour output). It needs no GL, and
// any byte string is safe to give it.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace progcheck {

enum class Language { unknown, arb, arbNv, arbNv2, fp1, fp2, nvfp4 };

const char* languageName(Language language);

struct CheckedInstruction {
    std::string mnemonic;   // without suffixes, as in the opcode tables
    std::string precision;  // "R", "H", "X" or empty
    bool saturate = false;
    std::string destination;  // register, without the write mask
    std::string writeMask;    // letters, empty when all are written
    std::vector<std::string> sources;
    int loopDepth = 0;  // how many loops surround it
    int line = 0;
};

struct ProgramCheck {
    Language language = Language::unknown;
    std::vector<std::string> problems;  // empty for a well-formed text
    std::vector<CheckedInstruction> instructions;
    std::vector<std::string> options;                     // ARB-style OPTION names
    std::vector<std::string> namedParameters;             // FP1.0 DECLARE names
    std::map<std::string, std::vector<float>> constants;  // PARAM / DEFINE name = {...}
    std::vector<int> loopCounts;                          // one per LOOP or REP, where known

    bool wellFormed() const { return problems.empty(); }
};

ProgramCheck checkProgram(const std::string& text);

}  // namespace progcheck
