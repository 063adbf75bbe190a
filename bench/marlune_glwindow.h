// The window with its GL context, and the floating-point off-screen pixel
// buffer with its own context. Implemented per platform under platform/.
// Every failure prints its "<call> failed" line, releases what the failure
// table says, and ends the run with an orderly stop (exit code 2).
#pragma once

#include "gl/gl_types.h"

// Creates the window and its context and makes the context current, with a
// 512 by 768 viewport. Returns true; on failure it does not return.
bool createGLWindow(int left, int top, int width, int height);
// Releases what createGLWindow made; safe when parts of it are missing.
void killGLWindow();
// glViewport(0, 0, width, height), a height of 0 counting as 1.
void setViewport(int width, int height);

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
