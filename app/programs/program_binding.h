// Binding a test's program and setting its two parameters, on the program
// unit of the profile: marlune_arb for ARB and FP4, marlune_nv for FP1 and FP2.
#pragma once

#include <cstdint>

#include "gl/gl_types.h"

// Whether the profile's programs are NV programs (FP1, FP2).
bool usesNvProgramUnit(std::uint8_t profile);

void bindTestProgram(std::uint8_t profile, GLuint id);

// Parameter 0 (0.1, 0.3, 0.5, 0.4) and parameter 1 (0.2, 0.5, 0.8, 0.8) by
// `localParameters`: 0 local and 1 env, on the ARB target under every
// profile; 2 named "C0" and "Cl" on NV programs, nothing otherwise.
void setTestParameters(std::uint8_t profile, int localParameters, GLuint id);

// The program a timed section draws with: bound, with its two parameters set.
void useTestProgram(std::uint8_t profile, int localParameters, GLuint id);

void disableTestProgram(std::uint8_t profile);
