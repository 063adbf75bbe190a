// The program language of a profile (with the NV option under ARB), and what
// each language can express.
#pragma once

#include <string>

#include "bench/settings.h"

namespace fpgen {

enum class Language { arb, fp1, fp2, nvfp4 };

struct Dialect {
    Language language = Language::arb;
    int nvOption = 0;  // ARB only: 1 the NV option, 2 the NV2 option

    bool hasOpcode(const std::string& op) const;
    bool hasLoops() const;                // LOOP (and REP)
    bool hasRepOnly() const;              // REP without LOOP
    bool hasPrecisionSuffixes() const;    // R, H, X after the mnemonic
    bool needsPrecisionSuffix() const;    // FP1.0 syntax: every ALU mnemonic carries one
    bool hasStorageDeclarations() const;  // SHORT TEMP / LONG TEMP
    bool usesNumberedRegisters() const;   // R0.., H0.. with no declarations
    bool hasOptions() const;              // OPTION lines: precision hint, draw buffers

    // The text after the mnemonic that selects `precision` ("R", "H", "X"
    // or empty) for `op`: the nearest suffix the opcode accepts in this
    // language, or none.
    std::string precisionSuffix(const std::string& op, const std::string& precision) const;
};

Dialect dialectOf(const BenchSettings& settings);

// Floating-point operations of one instruction writing `components`
// components: per component for component-wise opcodes, a fixed count for
// the others (a dot product is one result, however many lanes receive it).
int opcodeFlops(const std::string& op, int components);

}  // namespace fpgen
