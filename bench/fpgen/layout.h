// The shape of a generated program: seeds from texture coordinates,
// parameters and texels, two interleaved chains of the tested instruction
// (inside a loop when asked and possible), and the combine into the outputs.
#pragma once

#include <string>

#include "bench/fpgen/dialect.h"
#include "bench/fpgen/ir.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/settings.h"

namespace fpgen {

ProgramPlan planProgram(const std::string& op, const BenchSettings& settings, const Dialect& dialect);

// What one pixel of the planned program costs.
ProgramWork accountWork(const ProgramPlan& plan, int components);

}  // namespace fpgen
