// Compiling a program text on the ARB or the NV fragment-program target.
#include "app/programs/compile_program.h"

#include <limits>

#include "base/console.h"
#include "base/errors.h"
#include "bench/marlune_timer.h"
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

// GL_NO_ERROR; windows.h takes the name NO_ERROR for a macro.
constexpr GLenum noError = 0;

// A value the driver left alone or answered with an error is no answer.
// Errors of earlier calls are taken first; GL keeps at most one of each kind.
std::optional<int> nativeCount(GLenum name) {
    for (int kind = 0; kind < 8 && gl::glGetError() != noError; ++kind) {
    }
    GLint value = -1;
    gl::glGetProgramivARB(glenum::FRAGMENT_PROGRAM_ARB, name, &value);
    if (gl::glGetError() != noError || value < 0) return std::nullopt;
    return value;
}

NativeCounts nativeCounts(GLenum target) {
    if (target != glenum::FRAGMENT_PROGRAM_ARB || gl::glGetProgramivARB == nullptr ||
        gl::glGetError == nullptr)
        return {};
    return {nativeCount(glenum::PROGRAM_NATIVE_INSTRUCTIONS_ARB),
            nativeCount(glenum::PROGRAM_NATIVE_ALU_INSTRUCTIONS_ARB),
            nativeCount(glenum::PROGRAM_NATIVE_TEX_INSTRUCTIONS_ARB),
            nativeCount(glenum::PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB)};
}

GLuint compile(GLenum target, const ProgramSource& source, double* loadMs) {
    GLuint id = 0;
    const std::string text = programString(source);
    if (loadMs != nullptr) startTimer();
    loadText(target, text, id);
    if (loadMs != nullptr) *loadMs = stopTimer();

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

}  // namespace

GLsizei programTextLength(std::size_t bytes) {
    constexpr auto most = static_cast<std::size_t>(std::numeric_limits<GLsizei>::max());
    if (bytes > most)
        throw KorvexError(ErrorKind::general, "The program text has " + std::to_string(bytes) +
                                                  " bytes; OpenGL takes at most " + std::to_string(most));
    return static_cast<GLsizei>(bytes);
}

GLuint compileProgram(GLenum target, const ProgramSource& source) { return compile(target, source, nullptr); }

GLuint compileProgram(GLenum target, const ProgramSource& source, ProgramBuild& build) {
    const GLuint id = compile(target, source, &build.loadMs);
    build.native = nativeCounts(target);
    return id;
}
