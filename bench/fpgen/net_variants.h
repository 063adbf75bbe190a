// The programs behind an instruction's net cost: the shape of its test at
// three lengths and, where each step carries helper instructions, the same
// shapes with the tested instruction taken out. Timing them all and fitting
// time against the tested instructions separates the instruction's own cost
// from the fixed work of a quad and from its helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/fpgen/generated_program.h"
#include "bench/settings.h"

// Below 8 steps a shape's fixed part changes with its length (the mirror
// constant from 3 steps, the loop count up to 8), which the fit would take
// for the instruction's cost.
constexpr int shortestNetLength = 8;

struct NetVariant {
    int length = 0;  // steps; the full form runs this many tested instructions per pixel
    bool helpersOnly = false;
    GeneratedProgram program;  // program.work counts the tested and the helper instructions
};

struct NetVariantSet {
    std::vector<int> lengths;          // ascending; one of them is the test's own
    std::vector<NetVariant> variants;  // the full forms by length, then the helpers-only forms
    int testedFlops = 0;               // flops of one tested instruction
    std::string unavailable;           // why there are no variants; empty when there are
};

// The lengths for a test of `testLength` steps when no program longer than
// `longest` steps fits: the test's own and two of twice, half, a quarter and
// four times it, in that order of preference, each from shortestNetLength
// to `longest`. Empty when no three fit.
std::vector<int> netLengths(int testLength, int longest);

// The variants for the test of `instruction` under `settings`, whose texts
// hold at most `instructionLimit` instructions (the driver's limit; 0 for
// none) besides the language's own limit. The full form at the test's
// length is the test's program, text for text. Raises what generateProgram
// raises.
NetVariantSet generateNetVariants(std::uint8_t instruction, const BenchSettings& settings,
                                  int instructionLimit);
