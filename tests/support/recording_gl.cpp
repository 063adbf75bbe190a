#include "tests/support/recording_gl.h"

namespace recording_gl {

std::vector<std::string>& calls() {
    static std::vector<std::string> log;
    return log;
}

void clearCalls() { calls().clear(); }

int countCalls(const std::string& prefix) {
    int count = 0;
    for (const std::string& entry : calls()) count += entry.rfind(prefix, 0) == 0;
    return count;
}

namespace {

template <const char* Name, typename F>
struct Fake;

template <const char* Name, typename R, typename... A>
struct Fake<Name, R(KVX_APIENTRY*)(A...)> {
    static R KVX_APIENTRY record(A... args) {
        calls().push_back(call(Name, args...));
        if constexpr (!std::is_void_v<R>) return R{};
    }
};

namespace names {
#define KVX_GL_FUNCTION(ret, name, params) constexpr char name[] = #name;
#include "gl/gl_core_functions.inc"
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION
}  // namespace names

struct Saved {
#define KVX_GL_FUNCTION(ret, name, params) gl::PFN_##name name = nullptr;
#include "gl/gl_core_functions.inc"
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION
};

Saved saved;

}  // namespace

Install::Install() {
#define KVX_GL_FUNCTION(ret, name, params) \
    saved.name = gl::name;                 \
    gl::name = Fake<names::name, gl::PFN_##name>::record;
#include "gl/gl_core_functions.inc"
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION
    clearCalls();
}

Install::~Install() {
#define KVX_GL_FUNCTION(ret, name, params) gl::name = saved.name;
#include "gl/gl_core_functions.inc"
#include "gl/gl_extension_functions.inc"
#include "gl/wgl_extension_functions.inc"
#undef KVX_GL_FUNCTION
}

}  // namespace recording_gl
