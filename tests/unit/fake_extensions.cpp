#include "tests/unit/fake_extensions.h"

#include <cstring>

#include "gl/GL.h"

const char* const everyGLExtension =
    "GL_ARB_multitexture GL_ARB_vertex_program GL_ARB_fragment_program GL_EXT_framebuffer_object "
    "GL_ARB_texture_float GL_ARB_draw_buffers GL_ATI_draw_buffers GL_ARB_occlusion_query GL_ARB_timer_query";
const char* const everyPlatformExtension =
    "EGL_KHR_surfaceless_context WGL_ARB_pbuffer WGL_ARB_pixel_format WGL_ARB_render_texture";

namespace {

std::string glList;
std::string platformList;
std::string glVersion;

const GLubyte* KVX_APIENTRY fakeGetString(GLenum name) {
    static const std::string other = "fake";
    const std::string& text = name == glenum::EXTENSIONS ? glList
                              : name == glenum::VERSION  ? glVersion
                                                         : other;
    return reinterpret_cast<const GLubyte*>(text.c_str());
}

GLProc installedEntryPoint(const char* name) {
    const std::string arbName = std::string(name) + "ARB";
#define KVX_GL_FUNCTION(ret, entry, params) \
    if (std::strcmp(name, #entry) == 0 || arbName == #entry) return reinterpret_cast<GLProc>(gl::entry);
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION
    return nullptr;
}

std::optional<std::string> fakePlatformList() { return platformList; }

}  // namespace

FakeExtensions::FakeExtensions(const std::string& glExtensions, const std::string& platformExtensions,
                               const std::string& version)
    : previousGetString_(gl::glGetString) {
    glList = glExtensions;
    glVersion = version;
    platformList = platformExtensions;
    gl::glGetString = fakeGetString;
    platform_.operations.extensionLookups = {installedEntryPoint, fakePlatformList};
    platform_.install();
}

FakeExtensions::~FakeExtensions() { gl::glGetString = previousGetString_; }
