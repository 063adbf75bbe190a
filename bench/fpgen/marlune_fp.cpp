#include "bench/fpgen/marlune_fp.h"

#include "base/errors.h"
#include "bench/fpgen/dialect.h"
#include "bench/fpgen/layout.h"
#include "bench/fpgen/length_limit.h"
#include "bench/tables.h"

GeneratedProgram generateProgram(std::uint8_t instruction, const BenchSettings& settings) {
    const fpgen::Dialect dialect = fpgen::dialectOf(settings);
    const std::string op = instructionName(instruction);
    if (!dialect.hasOpcode(op)) {
        throw KorvexError(ErrorKind::general, "The instruction " + op +
                                                  " is not part of the program language of " +
                                                  profileTable[settings.fragmentProgram].name);
    }
    // A request for more than the language holds gets the longest program
    // that fits; the work is counted from the plan, so the figures stay true
    // to the text.
    const int length =
        fpgen::longestLengthWithin(op, settings, dialect, fpgen::languageInstructionLimit(dialect));
    return fpgen::programAtLength(op, settings, dialect, length);
}
