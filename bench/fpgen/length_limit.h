// The longest program of a shape that an instruction limit allows.
#pragma once

#include <cstddef>
#include <string>

#include "bench/fpgen/dialect.h"
#include "bench/settings.h"

namespace fpgen {

// The most instructions a text of the language holds: 1024 for FP1.0 and
// FP2.0, 0 (no limit of its own) for the others.
std::size_t languageInstructionLimit(const Dialect& dialect);

// The longest length up to settings.length whose program holds at most
// `limit` instructions (0: any length); 1 when even that one does not fit.
int longestLengthWithin(const std::string& op, const BenchSettings& settings, const Dialect& dialect,
                        std::size_t limit);

}  // namespace fpgen
