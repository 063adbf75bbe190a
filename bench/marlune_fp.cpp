#include "bench/marlune_fp.h"

#include "app/errors.h"
#include "app/tables.h"
#include "bench/marlune_fp_dialect.h"
#include "bench/marlune_fp_layout.h"
#include "bench/marlune_fp_text.h"

GeneratedProgram generateProgram(std::uint8_t instruction, const BenchSettings& settings) {
    const fpgen::Dialect dialect = fpgen::dialectOf(settings);
    const std::string op = instructionName(instruction);
    if (!dialect.hasOpcode(op)) {
        throw KorvexError(ErrorKind::general, "The instruction " + op +
                                                  " is not part of the program language of " +
                                                  profileTable[settings.fragmentProgram].name);
    }
    const fpgen::ProgramPlan plan = fpgen::planProgram(op, settings, dialect);
    return {fpgen::writeProgram(plan, dialect, settings), fpgen::accountWork(plan, settings.components)};
}
