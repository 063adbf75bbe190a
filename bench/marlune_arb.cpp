// The ARB_fragment_program target. The extension check also serves the NV
// twin and the pixel buffer, so the " not supported" line has one home.
#include "bench/marlune_arb.h"

#include "base/console.h"
#include "gl/GL.h"
#include "gl/GLext.h"

namespace marlune_arb {

int checkExtension(const std::string& name) {
    if (gl::loadExtension(name)) return 0;
    writeLine(notSupportedLine(name));
    return 1;
}

std::string notSupportedLine(const std::string& name) { return name + " not supported"; }

void bindProgram(GLuint id) {
    gl::glBindProgramARB(glenum::FRAGMENT_PROGRAM_ARB, id);
    gl::glEnable(glenum::FRAGMENT_PROGRAM_ARB);
}

void disableProgram() { gl::glDisable(glenum::FRAGMENT_PROGRAM_ARB); }

void setLocalParameter(GLenum target, GLuint index, float x, float y, float z, float w) {
    gl::glProgramLocalParameter4fARB(target, index, x, y, z, w);
}

void setEnvParameter(GLenum target, GLuint index, float x, float y, float z, float w) {
    gl::glProgramEnvParameter4fARB(target, index, x, y, z, w);
}

}  // namespace marlune_arb
