// Compiling a program text into a GL program object.
#pragma once

#include <cstddef>
#include <optional>

#include "bench/program_text.h"
#include "gl/gl_types.h"

// Loads `source` on `target` (GL_FRAGMENT_PROGRAM_NV with glLoadProgramNV,
// GL_FRAGMENT_PROGRAM_ARB with glProgramStringARB) and returns the new
// object, left bound. A text the driver rejects prints
// "Fragment program contains errors:" LF LF and the driver's text, and ends
// the run with exit code 3.
// A text of 2 GiB or more raises an error before any GL call.
GLuint compileProgram(GLenum target, const ProgramSource& source);

// What the driver says of a compiled program: GL_PROGRAM_NATIVE_INSTRUCTIONS_ARB,
// ..._ALU_..., ..._TEX_... and ..._TEX_INDIRECTIONS_ARB, each none where it
// gives no answer (the NV target has no such queries).
struct NativeCounts {
    std::optional<int> instructions, aluInstructions, texInstructions, texIndirections;
};

// What compiling a program cost and gave.
struct ProgramBuild {
    double loadMs = 0.0;  // the wall time of the load call (glProgramStringARB or glLoadProgramNV)
    NativeCounts native;
};

// compileProgram, with the load call timed and the native counts asked for.
GLuint compileProgram(GLenum target, const ProgramSource& source, ProgramBuild& build);

// The length GL is given for a text of `bytes` bytes; raises an error when
// the count does not fit GL's signed 32 bits.
GLsizei programTextLength(std::size_t bytes);
