// Lets the extension loaders run against the recording fakes: the GL and
// window-system extension lists are the ones given, and every entry point
// resolves to the fake already installed in it, so a check passes or fails
// by the lists alone and the calls stay in the log. Install the recording
// fakes first.
#pragma once

#include <string>

#include "gl/GL.h"
#include "gl/GLext.h"
#include "tests/support/fake_platform.h"

class FakeExtensions {
public:
    FakeExtensions(const std::string& glExtensions, const std::string& platformExtensions);
    ~FakeExtensions();
    FakeExtensions(const FakeExtensions&) = delete;
    FakeExtensions& operator=(const FakeExtensions&) = delete;

private:
    FakePlatform platform_;
    gl::PFN_glGetString previousGetString_;
};

// The lists of a driver that has everything a run checks, on either platform.
extern const char* const everyGLExtension;
extern const char* const everyPlatformExtension;
