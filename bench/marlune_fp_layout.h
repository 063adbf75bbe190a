// The shape of a generated program: seeds from texture coordinates,
// parameters and texels, two interleaved chains of the tested instruction
// (inside a loop when asked and possible), and the combine into the outputs.
#pragma once

#include <string>

#include "app/settings.h"
#include "bench/marlune_fp.h"
#include "bench/marlune_fp_dialect.h"
#include "bench/marlune_fp_ir.h"

namespace fpgen {

ProgramPlan planProgram(const std::string& op, const BenchSettings& settings, const Dialect& dialect);

// What one pixel of the planned program costs.
ProgramWork accountWork(const ProgramPlan& plan, int components);

}  // namespace fpgen
