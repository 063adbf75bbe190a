#include "app/run_sequence.h"

#include <string>

#include "app/capability_report.h"
#include "app/measuring/latency_test.h"
#include "app/measuring/program_timing.h"
#include "app/measuring/test_loop.h"
#include "app/measuring/timed_draw.h"
#include "app/programs/compiled_set.h"
#include "app/programs/net_program_set.h"
#include "app/programs/program_binding.h"
#include "app/programs/program_limits.h"
#include "app/programs/program_set.h"
#include "app/results/result_files.h"
#include "app/test_textures.h"
#include "base/console.h"
#include "bench/marlune_arb.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "bench/marlune_nv.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "platform/host_info.h"
#include "platform/platform.h"

namespace {

// Without the pixel buffer's context every later draw would go nowhere, and
// the run would report times for work that was never done.
void makePixelBufferCurrent() {
    if (!makePbufferCurrent()) stopCannotRun("makePbufferCurrent failed", Release::pixelBufferAndWindow);
}

// Every extension the settings need, in the order the run checks them, each
// missing one printed as "<name> not supported". Returns how many are missing.
int checkExtensions(BenchSettings& settings) {
    int missing = marlune_arb::checkExtension("GL_ARB_multitexture");
    for (const std::string& name : platform::pixelBufferExtensionNames())
        missing += marlune_arb::checkExtension(name);
    missing += marlune_arb::checkExtension("GL_ARB_vertex_program");
    missing += marlune_arb::checkExtension("GL_ARB_fragment_program");

    const std::uint8_t profile = settings.fragmentProgram;
    if (profile == FragmentProfile::FP4) {
        missing += marlune_nv::checkExtension(profileTable[FragmentProfile::FP4].extension);
    } else if (usesNvProgramUnit(profile) || settings.nvOption != 0) {
        missing += marlune_nv::checkExtension("GL_NV_fragment_program");
        if (settings.nvOption == 1) missing += marlune_nv::checkExtension("GL_NV_fragment_program_option");
        if (profile == FragmentProfile::FP2 || settings.nvOption == 2)
            missing += marlune_nv::checkExtension("GL_NV_fragment_program2");
    }

    if (settings.multipleOutputs != 0) {
        settings.arbDrawBuffers -= marlune_arb::checkExtension("GL_ARB_draw_buffers");
        writeLine(std::to_string(settings.arbDrawBuffers));
        if (settings.arbDrawBuffers == 0) missing += marlune_arb::checkExtension("GL_ATI_draw_buffers");
    }
    return missing;
}

// A program with more texture indirections than the driver runs natively
// cannot be timed for what it is, so the run says so before compiling.
void checkTextureIndirections(const BenchSettings& settings, int indirections) {
    const int most = programLimits.maxNativeTexIndirections;
    if (usesNvProgramUnit(settings.fragmentProgram) || most <= 0 || indirections <= most) return;
    stopCannotRun("The programs need " + std::to_string(indirections) +
                      " texture indirections, the driver runs " + std::to_string(most) +
                      " (TEX Indirections)",
                  Release::pixelBufferAndWindow);
}

}  // namespace

void runBenchmark(int, int, int components, std::uint8_t, int iterations, const RunOptions& options) {
    BenchSettings& settings = benchSettings;
    const std::string startedUtc = platform::utcTimestamp();
    createGLWindow(0, 0, frameWidth, frameHeight);
    if (!marlune_gpu::identifyDriver()) stopCannotRun("", Release::window);
    const int missingCount = checkExtensions(settings);
    queryProgramLimits();
    if (settings.gpuid != 0) printCapabilityReport();
    if (missingCount != 0) stopCannotRun("", Release::window);

    loadTestTextures();
    createPbuffer(frameWidth, frameHeight, 0, components,
                  settings.multipleOutputs != 0 ? settings.outputCount - 1 : 0);
    makePixelBufferCurrent();
    setInitialDrawState();
    const FragmentCounting counting = prepareFragmentCounting();

    ProgramSet programs = assembleProgramSet(settings, netFiguresWanted(settings, options));
    checkTextureIndirections(settings, programs.indirections);
    const CompiledSet compiled = compileProgramSet(std::move(programs), settings.fragmentProgram);

    ProgressLine progress(options.progress && platform::standardErrorIsTerminal());
    const ProgramTimer timer{timingPolicy(options, iterations), sectionDraw(counting, progress), progress};
    const ResultStyle style = {resultSeparator(settings.vectorAndScalar, settings.textureFetches),
                               settings.resultPrefix, platform::current().decimalSeparator()};
    RunResults results{startedUtc, {}, {}, platform::current().windowSystemName()};
    if (settings.multipleOutputs != 0) {
        // The test ends the run: no results file, no wait for Enter, and the
        // process end releases the pixel buffer and the window.
        results.latency = latencyBandwidthTest(timer);
        saveResultFiles(results, settings, options, style);
        return;
    }

    results.tests = runTests(compiled, timer, style);
    disableTestProgram(settings.fragmentProgram);
    saveResultFiles(results, settings, options, style);
    waitForEnter();
    destroyPbuffer();
    killGLWindow();
}
