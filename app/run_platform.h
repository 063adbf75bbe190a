// The window, driver and pixel-buffer operations that the run calls, in one
// place so that tests can follow the run's stops without a window system.
#pragma once

struct RunPlatform {
    bool (*createGLWindow)(int left, int top, int width, int height);
    void (*killGLWindow)();
    bool (*identifyDriver)();
    void (*createPbuffer)(int width, int height, int doubleBuffer, int components, int auxBuffers);
    bool (*makePbufferCurrent)();
    void (*destroyPbuffer)();
};

// The real operations; tests install fakes here.
extern RunPlatform runPlatform;
