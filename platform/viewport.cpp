#include "platform/viewport.h"

#include "gl/GL.h"

namespace platform {

void setViewport(int width, int height) {
    // A zero height would give a degenerate projection; one row is the least.
    gl::glViewport(0, 0, width, height == 0 ? 1 : height);
}

}  // namespace platform
