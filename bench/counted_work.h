// The work of a fragment program counted from its text alone: what a program
// file costs a pixel, in the figures the generated tests report for theirs.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "bench/program_text.h"
#include "bench/tables.h"

struct CountedWork {
    // The FragmentProfile the header names; INVALID for any other header.
    std::uint8_t language = FragmentProfile::INVALID;
    int nvOption = 0;  // ARBfp1.0 only: 1 the NV option, 2 the NV2 option
    // ALU instructions by mnemonic, without precision, condition-code or
    // saturation suffixes ("MADR_SAT" counts as "MAD").
    std::map<std::string, int> aluByOpcode;
    int instructions = 0;      // every instruction written, flow keywords included; END is none
    int flops = 0;             // by the generator's instruction table; mnemonics outside it count none
    int texels = 0;            // texture fetches: TEX, TXP, TXB, TXD, TXL, TXF
    int bytesWritten = 0;      // 4 x components written, summed over the colour outputs
    bool flowControl = false;  // branches, loops or subroutine calls: the static count is not what runs
};

// The language the text's first bytes name: FragmentProfile ARB for
// "!!ARBfp1.0", FP1 for "!!FP1.0", FP2 for "!!FP2.0", FP4 for "!!NVfp4.0",
// INVALID for anything else.
std::uint8_t programLanguage(const ProgramSource& source);

// Counts every statement up to END. The text is not checked: the driver
// judges it; what the counter cannot place counts as an ALU instruction
// without flops.
CountedWork countProgramWork(const ProgramSource& source);

// The header that names `language`, "!!ARBfp1.0" to "!!NVfp4.0"; "" for INVALID.
const char* languageHeader(std::uint8_t language);
