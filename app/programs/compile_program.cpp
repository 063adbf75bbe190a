// Compiling a program text on the ARB or the NV fragment-program target.
#include "app/programs/compile_program.h"

#include <limits>

#include "base/console.h"
#include "base/errors.h"
#include "gl/GL.h"
#include "gl/GLext.h"

namespace {

void loadText(GLenum target, const std::string& text, GLuint& id) {
    const GLsizei length = programTextLength(text.size());
    if (target == glenum::FRAGMENT_PROGRAM_NV) {
        gl::glGenProgramsNV(1, &id);
        gl::glBindProgramNV(glenum::FRAGMENT_PROGRAM_NV, id);
        gl::glLoadProgramNV(glenum::FRAGMENT_PROGRAM_NV, id, length,
                            reinterpret_cast<const GLubyte*>(text.data()));
    } else {
        // Every other profile, NV_gpu_program4 texts included, loads on the ARB target.
        gl::glGenProgramsARB(1, &id);
        gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, id);
        gl::glProgramStringARB(glenum::FRAGMENT_PROGRAM_ARB, glenum::PROGRAM_FORMAT_ASCII_ARB, length,
                               text.data());
    }
}

}  // namespace

GLsizei programTextLength(std::size_t bytes) {
    constexpr auto most = static_cast<std::size_t>(std::numeric_limits<GLsizei>::max());
    if (bytes > most)
        throw KorvexError(ErrorKind::general, "The program text has " + std::to_string(bytes) +
                                                  " bytes; OpenGL takes at most " + std::to_string(most));
    return static_cast<GLsizei>(bytes);
}

GLuint compileProgram(GLenum target, const ProgramSource& source) {
    GLuint id = 0;
    loadText(target, programString(source), id);

    const GLubyte* errorText = gl::glGetString(glenum::PROGRAM_ERROR_STRING_ARB);
    const std::string errors = errorText ? reinterpret_cast<const char*>(errorText) : "";
    // Some drivers reject a program with an empty error string; the error
    // position (-1 when the text loaded) catches those too.
    GLint errorPosition = -1;
    gl::glGetIntegerv(glenum::PROGRAM_ERROR_POSITION_ARB, &errorPosition);
    if (!errors.empty() || errorPosition != -1) {
        writeLine("Fragment program contains errors:\n\n" + errors);
        throw OrderlyStop{exitcode::programRejected};
    }
    return id;
}
