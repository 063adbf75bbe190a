// Writes a planned program as the text of its language.
#pragma once

#include <string>

#include "bench/fpgen/dialect.h"
#include "bench/fpgen/ir.h"
#include "bench/program_text.h"
#include "bench/settings.h"

namespace fpgen {

ProgramSource writeProgram(const ProgramPlan& plan, const Dialect& dialect, const BenchSettings& settings);

// A number as program text: the shortest decimal that reads back as the
// same float, with a full stop whatever the locale, always in float form
// ("2.0", not "2").
std::string programNumber(float value);

}  // namespace fpgen
