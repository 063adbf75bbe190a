// One step of a dependency chain for each tested instruction: the form that
// keeps the instruction's inputs in range over any number of steps and that
// no compiler can fold away.
#pragma once

#include <string>
#include <vector>

#include "bench/fpgen/ir.h"

namespace fpgen {

// Values the program derives once, before the chains, for the instruction.
struct KernelNeeds {
    bool nearOne = false;         // n in [0.995, 1.005]
    bool mirror = false;          // also m = 2 - n, to alternate with n
    bool half = false;            // h = n / 2
    float averagingScale = 0.0f;  // g = n * scale, so a dot product with g stays near its input
    bool scratch = false;         // a register between the helper and the tested instruction (MOV)
    bool signedInputs = false;    // w = u - v, whose lanes change sign across the frame
};

KernelNeeds kernelNeeds(const std::string& op);

// The components the tested instruction writes for a `components` setting
// of 1 to 4. Instructions whose extra lanes are constant or undefined write
// the lanes that carry the work (DST .y, LIT .z first; XPD, RFL, NRM at most
// .xyz; SCS at most .xy).
Components testedMask(const std::string& op, int components);

// The registers derived before the chains; those the instruction does not
// need are left unused.
struct DerivedInputs {
    Reg nearOne, mirror, half, averaging, scratch, difference;
};

struct StepContext {
    Reg chain;          // the chain's register, written by the step
    Src current;        // the chain's value so far (its seed before the first step)
    Src input;          // a per-pixel value the compiler cannot know, different each step
    Src signedInput;    // the same, from w: negative on part of the frame
    int chainStep = 0;  // position of this step within its chain
    Components mask;    // testedMask of the instruction
    DerivedInputs derived;
};

// The instructions of one step: the tested one last, after a helper where
// the instruction alone would be an identity or foldable when chained (ABS,
// MOV, FLR, FRC, RCP, LG2, LIT, NRM and the dot products).
std::vector<Instr> kernelStep(const std::string& op, const StepContext& context);

// The same step with the tested instruction taken out: its helper alone,
// still advancing the chain, or nothing for an instruction without one.
std::vector<Instr> helperStep(const std::string& op, const StepContext& context);

}  // namespace fpgen
