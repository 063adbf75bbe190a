// The NV_fragment_program target: extension checks, binding and the named
// parameter setter.
#pragma once

#include <string>

#include "gl/gl_types.h"

namespace marlune_nv {

// Behaves as marlune_arb::checkExtension.
int checkExtension(const std::string& name);
void bindProgram(GLuint id);
void disableProgram();
void setNamedParameter(GLuint id, int length, const char* name, float x, float y, float z, float w);

}  // namespace marlune_nv
