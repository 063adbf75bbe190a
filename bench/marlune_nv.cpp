// The NV_fragment_program target.
#include "bench/marlune_nv.h"

#include "bench/marlune_arb.h"
#include "gl/GL.h"
#include "gl/GLext.h"

namespace marlune_nv {

int checkExtension(const std::string& name) { return marlune_arb::checkExtension(name); }

void bindProgram(GLuint id) {
    gl::glBindProgramNV(glenum::FRAGMENT_PROGRAM_NV, id);
    gl::glEnable(glenum::FRAGMENT_PROGRAM_NV);
}

void disableProgram() { gl::glDisable(glenum::FRAGMENT_PROGRAM_NV); }

void setNamedParameter(GLuint id, int length, const char* name, float x, float y, float z, float w) {
    gl::glProgramNamedParameter4fNV(id, length, reinterpret_cast<const GLubyte*>(name), x, y, z, w);
}

}  // namespace marlune_nv
