// The ARB_fragment_program target: extension checks, binding and the
// local and env parameter setters.
#pragma once

#include <string>

#include "gl/gl_types.h"

namespace marlune_arb {

// 0 when `name` loads; otherwise prints "<name> not supported" and returns 1.
int checkExtension(const std::string& name);

// "<name> not supported", the line of every missing extension.
std::string notSupportedLine(const std::string& name);
void bindProgram(GLuint id);
void disableProgram();
void setLocalParameter(GLenum target, GLuint index, float x, float y, float z, float w);
void setEnvParameter(GLenum target, GLuint index, float x, float y, float z, float w);

}  // namespace marlune_arb
