// The window with its GL context, and the floating-point off-screen pixel
// buffer with its own context, on the installed platform. Every failure
// prints its line, releases what was made in the order the run needs, and
// ends the run with an orderly stop (exit code 2).
#pragma once

#include <string>

#include "gl/gl_types.h"

// The fixed frame of every test: the window's viewport, the pixel buffer and
// the quad each iteration draws.
constexpr int frameWidth = 512;
constexpr int frameHeight = 768;

// Creates the window and its context and makes the context current, with a
// width by height viewport. Returns true; on failure it does not return.
bool createGLWindow(int left, int top, int width, int height);
// Releases what createGLWindow made; safe when parts of it are missing.
void killGLWindow();

// Creates the pixel buffer (width x height, `components` 32-bit float
// channels, one colour buffer plus `auxBuffers`) and its context, which
// shares textures and programs with the window's.
void createPbuffer(int width, int height, int doubleBuffer, int components, int auxBuffers = 0);
// Makes the pixel buffer's context current; returns the platform's success.
bool makePbufferCurrent();
void destroyPbuffer();

// The buffer enum that selects `buffer` (GL_FRONT, GL_FRONT_LEFT or GL_AUXn)
// of the current pixel buffer: the same enum on a real pixel buffer, the
// matching colour attachment on a framebuffer-object one.
GLenum pixelBufferDrawBuffer(GLenum buffer);

// What stopCannotRun releases before it stops.
enum class Release { nothing, window, pixelBufferAndWindow };

// Prints `line` unless it is empty, releases what `release` names, and ends
// the run with the orderly stop for a machine that cannot run the test.
[[noreturn]] void stopCannotRun(const std::string& line, Release release);
