#include "bench/fpgen/marlune_fp.h"

#include <algorithm>

#include "base/errors.h"
#include "bench/fpgen/dialect.h"
#include "bench/fpgen/layout.h"
#include "bench/fpgen/text.h"
#include "bench/tables.h"

namespace {

// FP1.0 and FP2.0 programs hold at most this many instructions.
constexpr std::size_t nvProgramInstructionLimit = 1024;

// A request for more than the language holds gets the longest program that
// fits; the work is counted from the plan, so the figures stay true to the
// text.
fpgen::ProgramPlan planWithinLimit(const std::string& op, const BenchSettings& settings,
                                   const fpgen::Dialect& dialect) {
    if (dialect.language != fpgen::Language::fp1 && dialect.language != fpgen::Language::fp2)
        return fpgen::planProgram(op, settings, dialect);
    BenchSettings trial = settings;
    const auto planOfLength = [&](int length) {
        trial.length = length;
        return fpgen::planProgram(op, trial, dialect);
    };
    // Every step is one instruction at least, so no longer request can fit.
    fpgen::ProgramPlan plan =
        planOfLength(std::min(settings.length, static_cast<int>(nvProgramInstructionLimit)));
    if (plan.instrs.size() <= nvProgramInstructionLimit) return plan;
    int fits = 1, fitsNot = trial.length;
    while (fitsNot - fits > 1) {
        const int middle = fits + (fitsNot - fits) / 2;
        (planOfLength(middle).instrs.size() <= nvProgramInstructionLimit ? fits : fitsNot) = middle;
    }
    return planOfLength(fits);
}

}  // namespace

GeneratedProgram generateProgram(std::uint8_t instruction, const BenchSettings& settings) {
    const fpgen::Dialect dialect = fpgen::dialectOf(settings);
    const std::string op = instructionName(instruction);
    if (!dialect.hasOpcode(op)) {
        throw KorvexError(ErrorKind::general, "The instruction " + op +
                                                  " is not part of the program language of " +
                                                  profileTable[settings.fragmentProgram].name);
    }
    const fpgen::ProgramPlan plan = planWithinLimit(op, settings, dialect);
    return {fpgen::writeProgram(plan, dialect, settings), fpgen::accountWork(plan, settings.components)};
}
