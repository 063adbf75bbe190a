#include "tests/support/gl_test_context.h"

#include <cstdlib>
#include <cstring>

#include "base/errors.h"
#include "bench/marlune_glwindow.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "platform/platform.h"

namespace {

bool glRequired() {
    const char* required = std::getenv("KORVEX_REQUIRE_GL");
    return required != nullptr && std::strcmp(required, "1") == 0;
}

const char* const loadedExtensions[] = {
    "GL_ARB_multitexture",  "GL_ARB_vertex_program", "GL_ARB_fragment_program", "GL_EXT_framebuffer_object",
    "GL_ARB_texture_float", "GL_ARB_draw_buffers",   "GL_ARB_occlusion_query",
};

}  // namespace

void GLContextTest::SetUp() {
    if (gl::glGetString == nullptr) platform::startUp();
    try {
        createGLWindow(0, 0, 512, 768);
    } catch (const OrderlyStop&) {
        if (glRequired()) FAIL() << "No EGL display could be made, and KORVEX_REQUIRE_GL=1 asks for one";
        GTEST_SKIP() << "No EGL display could be made on this machine; skipping a test that needs GL";
    }
    windowCreated_ = true;
    for (const char* name : loadedExtensions) ASSERT_TRUE(gl::loadExtension(name)) << name << " did not load";
}

void GLContextTest::TearDown() {
    if (pixelBufferCreated_) destroyPbuffer();
    if (windowCreated_) killGLWindow();
    pixelBufferCreated_ = false;
    windowCreated_ = false;
}

void GLContextTest::usePixelBuffer(int components, int auxBuffers) {
    try {
        createPbuffer(512, 768, 0, components, auxBuffers);
    } catch (const OrderlyStop&) {
        FAIL() << "The pixel buffer could not be made (" << components << " components, " << auxBuffers
               << " auxiliary buffers)";
    }
    pixelBufferCreated_ = true;
    ASSERT_TRUE(makePbufferCurrent());
}
