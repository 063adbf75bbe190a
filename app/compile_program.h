// Compiling a program text into a GL program object.
#pragma once

#include "bench/program_text.h"
#include "gl/gl_types.h"

// Loads `source` on `target` (GL_FRAGMENT_PROGRAM_NV with glLoadProgramNV,
// GL_FRAGMENT_PROGRAM_ARB with glProgramStringARB) and returns the new
// object, left bound. A text the driver rejects prints
// "Fragment program contains errors:" LF LF and the driver's text, and ends
// the run with exit code 3.
GLuint compileProgram(GLenum target, const ProgramSource& source);
