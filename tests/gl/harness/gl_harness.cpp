// Runs one GL step of korvex in a process of its own, so that tests can see
// its exit code and give it an environment before any context exists.
//   gl_harness identify        the window context, then driver identification
//   gl_harness compile FILE    the pixel-buffer context, then FILE compiled as
//                              an ARB fragment program
#include <string>

#include "app/programs/compile_program.h"
#include "base/console.h"
#include "base/errors.h"
#include "bench/marlune_arb.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "gl/GL.h"
#include "platform/platform.h"

namespace {

int identify() {
    createGLWindow(0, 0, 512, 768);
    const bool found = marlune_gpu::identifyDriver();
    writeLine("found=" + std::to_string(found));
    writeLine("vendor=" + marlune_gpu::vendorString);
    writeLine("nvidia=" + std::to_string(marlune_gpu::isNvidiaVendor(marlune_gpu::vendorString)));
    writeLine("vendorFile=" + marlune_gpu::driverFileForVendor(marlune_gpu::vendorString));
    writeLine("driverName=" + marlune_gpu::driverName);
    writeLine("driverCompany=" + marlune_gpu::driverCompany);
    killGLWindow();
    return exitcode::success;
}

int compile(const std::string& fileName) {
    createGLWindow(0, 0, 512, 768);
    if (marlune_arb::checkExtension("GL_ARB_fragment_program") != 0) return exitcode::cannotRunHere;
    createPbuffer(512, 768, 0, 4);
    makePbufferCurrent();
    const GLuint id = compileProgram(glenum::FRAGMENT_PROGRAM_ARB, loadProgramText(fileName));
    writeLine("compiled " + std::to_string(id));
    destroyPbuffer();
    killGLWindow();
    return exitcode::success;
}

}  // namespace

int main(int argc, char** argv) {
    platform::startUp();
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "identify") return identify();
        if (command == "compile" && argc > 2) return compile(argv[2]);
    } catch (const OrderlyStop& stop) {
        return stop.exitCode;
    }
    return 64;
}
