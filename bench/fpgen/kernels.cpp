#include "bench/fpgen/kernels.h"

#include <algorithm>
#include <set>

#include "base/errors.h"

namespace fpgen {
namespace {

// The chain register as the next instruction of the step reads it.
Src chainRead(const StepContext& c, const Components& written) {
    return swizzled(readOf(c.chain), writtenOnlySwizzle(written));
}

// Alternating n and its mirror keeps a product of many steps near 1.
Reg alternatingNearOne(const StepContext& c) {
    return c.chainStep % 2 == 0 ? c.derived.nearOne : c.derived.mirror;
}

int scalarComponent(const StepContext& c) { return c.mask[c.chainStep % c.mask.size()]; }

// Rotates the written lanes among themselves, so a MOV moves data between
// lanes wherever more than one is written.
Swizzle rotateWithin(const Components& mask) {
    Swizzle s = writtenOnlySwizzle(mask);
    for (std::size_t k = 0; k < mask.size(); ++k) s.from[mask[k]] = mask[(k + 1) % mask.size()];
    return s;
}

}  // namespace

KernelNeeds kernelNeeds(const std::string& op) {
    static const std::set<std::string> alternatingOps = {"MUL", "DIV", "DST", "MAD", "FLR"};
    KernelNeeds needs;
    needs.mirror = alternatingOps.count(op) > 0;
    needs.nearOne = needs.mirror || op == "RCP";
    needs.half = op == "LRP" || op == "POW" || op == "LIT" || op == "ABS" || op == "FRC";
    // Weights summing to about 1/2, so that a dot product of the chain plus an
    // input stays bounded.
    if (op == "DP2") needs.averagingScale = 0.25f;
    if (op == "DP3") needs.averagingScale = 1.0f / 6.0f;
    if (op == "DP4" || op == "DPH") needs.averagingScale = 0.125f;
    if (op == "XPD") needs.averagingScale = 0.57735027f;  // a unit vector keeps the cross product's length
    needs.scratch = op == "MOV";
    needs.signedInputs = op == "MIN" || op == "MAX";
    return needs;
}

Components testedMask(const std::string& op, int components) {
    if (op == "DST" && components == 1) return {1};
    if (op == "LIT") {
        static const Components litMasks[] = {{2}, {1, 2}, {0, 1, 2}, {0, 1, 2, 3}};
        return litMasks[components - 1];
    }
    if (op == "XPD" || op == "RFL" || op == "NRM") return firstComponents(std::min(components, 3));
    if (op == "SCS") return firstComponents(std::min(components, 2));
    return firstComponents(components);
}

std::vector<Instr> kernelStep(const std::string& op, const StepContext& c) {
    const Components& m = c.mask;
    const Reg& x = c.chain;
    auto tested = [&](std::vector<Src> srcs) { return makeInstr(op, Role::tested, x, m, std::move(srcs)); };
    auto scalarOf = [&](const Src& src) { return swizzled(src, scalarSwizzle(scalarComponent(c))); };

    if (op == "ADD" || op == "SUB") return {tested({c.current, c.input})};
    // min(-x, d) with d of either sign: each step decides the result on part
    // of the frame, where a running minimum of non-negative inputs would let
    // a few inputs win everywhere.
    if (op == "MIN" || op == "MAX") return {tested({negated(c.current), c.signedInput})};
    if (op == "MUL" || op == "DST") return {tested({c.current, readOf(alternatingNearOne(c))})};
    if (op == "DIV") return {tested({c.current, scalarOf(readOf(alternatingNearOne(c)))})};
    if (op == "MAD") return {tested({negated(c.current), readOf(alternatingNearOne(c)), c.input})};
    if (op == "LRP") return {tested({readOf(c.derived.half), c.current, c.input})};
    if (op == "RFL") return {tested({c.input, c.current})};
    if (op == "XPD") return {tested({c.current, readOf(c.derived.averaging)})};
    if (op == "DP2" || op == "DP3" || op == "DP4" || op == "DPH") {
        // A dot product leaves the same value in every lane, and a dot product
        // of such a splat folds into one multiply by the weights' sum; adding
        // an input first gives each step a true vector.
        Instr helper = makeInstr("ADD", Role::helper, x, allComponents(), {c.current, c.input});
        return {helper, tested({readOf(x), readOf(c.derived.averaging)})};
    }
    if (op == "RSQ" || op == "SIN" || op == "COS" || op == "SCS") return {tested({scalarOf(c.current)})};
    if (op == "EX2") return {tested({negated(scalarOf(c.current))})};
    if (op == "POW") return {tested({scalarOf(c.current), scalarOf(readOf(c.derived.half))})};
    if (op == "ABS" || op == "FRC") {
        // h x - a changes sign across the frame, and halving x keeps FRC from
        // commuting with the helper (frac(a - frac(b)) would equal frac(a - b)).
        Instr helper =
            makeInstr("MAD", Role::helper, x, m, {c.current, readOf(c.derived.half), negated(c.input)});
        return {helper, tested({chainRead(c, m)})};
    }
    if (op == "FLR") {
        // floor(a - n x): the fraction a FLR drops shifts the next argument
        // by as much, so every floor decides part of the frame.
        Instr helper = makeInstr("MAD", Role::helper, x, m,
                                 {negated(c.current), readOf(alternatingNearOne(c)), c.input});
        return {helper, tested({chainRead(c, m)})};
    }
    if (op == "MOV") {
        // The copy carries the sum into the chain register, so without it
        // the chain would not advance.
        const Reg& s = c.derived.scratch;
        Instr helper = makeInstr("ADD", Role::helper, s, m, {c.current, c.input});
        return {helper, tested({swizzled(readOf(s), rotateWithin(m))})};
    }
    if (op == "RCP" || op == "LG2") {
        // 1 / (x + n) stays in (0, 1]; log2(x + 2) stays at 1 or above, away
        // from the unstable fixed point that log2(x + 1) has at 0.
        const int lane = scalarComponent(c);
        const Src offset = op == "RCP" ? readOf(c.derived.nearOne) : readOf(splatReg(2.0f));
        Instr helper = makeInstr("ADD", Role::helper, x, {lane}, {c.current, offset});
        return {helper, tested({swizzled(readOf(x), scalarSwizzle(lane))})};
    }
    if (op == "LIT") {
        // LIT's x and w lanes are constant, so the helper feeds the previous
        // z and y into LIT's x, y and w inputs; halving keeps base and
        // exponent of its power below 1.5, so repeated powers cannot run away.
        const Src zyzy = swizzled(c.current, Swizzle{{2, 1, 2, 1}});
        Instr helper = makeInstr("MUL", Role::helper, x, allComponents(), {zyzy, readOf(c.derived.half)});
        return {helper, tested({readOf(x)})};
    }
    if (op == "NRM") {
        Instr helper = makeInstr("ADD", Role::helper, x, allComponents(), {c.current, c.input});
        return {helper, tested({readOf(x)})};
    }
    throw KorvexError(ErrorKind::general, "No program form for the instruction " + op);
}

std::vector<Instr> helperStep(const std::string& op, const StepContext& c) {
    std::vector<Instr> step = kernelStep(op, c);
    step.erase(
        std::remove_if(step.begin(), step.end(), [](const Instr& i) { return i.role == Role::tested; }),
        step.end());
    if (step.empty()) return step;
    Instr& helper = step.front();
    // The copy carried the sum into the chain register; without it the sum
    // goes there directly.
    if (op == "MOV") helper.dst = c.chain;
    // RCP and LG2 spread the helper's one lane over the chain; without them
    // each helper reads the lane the one before it wrote (any lane of the
    // seed at the first step), so no lane is read unwritten.
    if (op == "RCP" || op == "LG2") {
        const int previous = c.mask[(c.chainStep + c.mask.size() - 1) % c.mask.size()];
        helper.srcs[0] = swizzled(c.current, scalarSwizzle(previous));
    }
    return step;
}

}  // namespace fpgen
