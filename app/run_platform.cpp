#include "app/run_platform.h"

#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"

RunPlatform runPlatform = {
    createGLWindow, killGLWindow,       marlune_gpu::identifyDriver,
    createPbuffer,  makePbufferCurrent, destroyPbuffer,
};
