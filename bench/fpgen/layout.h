// The shape of a generated program: seeds from texture coordinates,
// parameters and texels, two interleaved chains of the tested instruction
// (inside a loop when asked and possible), and the combine into the outputs.
#pragma once

#include <string>

#include "bench/fpgen/dialect.h"
#include "bench/fpgen/generated_program.h"
#include "bench/fpgen/ir.h"
#include "bench/settings.h"

namespace fpgen {

// Each step as kernelStep writes it, or with the tested instruction taken
// out (helperStep), for the net cost of an instruction.
enum class StepForm { full, helpersOnly };

ProgramPlan planProgram(const std::string& op, const BenchSettings& settings, const Dialect& dialect,
                        StepForm form = StepForm::full);

// What one pixel of the planned program costs.
ProgramWork accountWork(const ProgramPlan& plan, int components);

// The text and the work of the program of `op` at `length` steps, shaped by
// every other setting.
GeneratedProgram programAtLength(const std::string& op, const BenchSettings& settings, const Dialect& dialect,
                                 int length, StepForm form = StepForm::full);

}  // namespace fpgen
