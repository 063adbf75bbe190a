// Small drawing helpers for the GL tests: a screen-filling quad and reading
// one float pixel back.
#pragma once

#include <array>
#include <string>

#include "gl/gl_types.h"

namespace gl_drawing {

// Compiles an ARB fragment program and binds and enables it. A rejected
// program prints the driver's text and fails the test with an orderly stop.
GLuint useFragmentProgram(const std::string& text);

// Draws a quad over the whole viewport with texture coordinate (s, t).
void drawFullScreenQuad(float s = 0.0f, float t = 0.0f);

// The RGBA value of pixel (x, y) of the colour buffer `readBuffer`.
std::array<float, 4> readPixel(GLenum readBuffer, int x = 0, int y = 0);

}  // namespace gl_drawing
