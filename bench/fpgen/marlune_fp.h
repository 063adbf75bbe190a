// The program generator: one fragment program per ALU instruction, in the
// language of the chosen profile, shaped by the program settings.
#pragma once

#include <cstdint>
#include <string>

#include "bench/fpgen/generated_program.h"
#include "bench/settings.h"

// The program that measures `instruction` under `settings` (profile, NV
// option and every program setting). The text compiles for the profile's
// target wherever the driver offers the language.
GeneratedProgram generateProgram(std::uint8_t instruction, const BenchSettings& settings);
