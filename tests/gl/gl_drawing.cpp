#include "tests/gl/gl_drawing.h"

#include "app/programs/compile_program.h"
#include "bench/marlune_arb.h"
#include "gl/GL.h"
#include "gl/GLext.h"

namespace gl_drawing {

GLuint useFragmentProgram(const std::string& text) {
    const GLuint id = compileProgram(glenum::FRAGMENT_PROGRAM_ARB, splitProgramText(text));
    marlune_arb::bindProgram(id);
    return id;
}

void drawFullScreenQuad(float s, float t) {
    gl::glBegin(glenum::QUADS);
    gl::glTexCoord2f(s, t);
    gl::glVertex2f(-1.0f, -1.0f);
    gl::glVertex2f(1.0f, -1.0f);
    gl::glVertex2f(1.0f, 1.0f);
    gl::glVertex2f(-1.0f, 1.0f);
    gl::glEnd();
    gl::glFinish();
}

std::array<float, 4> readPixel(GLenum readBuffer, int x, int y) {
    std::array<float, 4> pixel{};
    gl::glReadBuffer(readBuffer);
    gl::glReadPixels(x, y, 1, 1, glenum::RGBA, glenum::FLOAT, pixel.data());
    return pixel;
}

}  // namespace gl_drawing
