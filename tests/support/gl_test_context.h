// A fixture with a real headless GL context: korvex's own window context,
// current for the test, with the extensions the run loads already loaded.
// Without any EGL display the test is skipped with a message saying so;
// with KORVEX_REQUIRE_GL=1 in the environment (as in CI) it fails instead.
#pragma once

#include <gtest/gtest.h>

class GLContextTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Also creates the pixel buffer (512 x 768, `components` float channels,
    // `auxBuffers` extra attachments) and makes its context current.
    void usePixelBuffer(int components = 4, int auxBuffers = 0);

private:
    bool windowCreated_ = false;
    bool pixelBufferCreated_ = false;
};
