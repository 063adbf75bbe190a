// Measures the timed draw on this machine's GL: the harness's own cost per
// iteration (the 22 calls and the loop, with the rasterizer discarding every
// quad so no fragment is shaded), without and with the progress line, the
// time per quad of a trivial program and of the bundled blur at 512 x 768,
// and whether every fragment was shaded.
// Run it from the directory that holds Images/ and fasm_1.txt:
//   korvex_perf [iterations per measurement] [measurements]
// It exits 1 when a target is missed: harness cost of 1% or more of the
// blur's time, 0.1% or more with the progress line, or a fragment count other
// than 393 216 x iterations.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/measuring/progress_line.h"
#include "app/measuring/timed_draw.h"
#include "app/programs/compile_program.h"
#include "app/programs/program_binding.h"
#include "app/test_textures.h"
#include "base/errors.h"
#include "bench/marlune_glwindow.h"
#include "bench/program_text.h"
#include "bench/tables.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "platform/platform.h"

namespace {

constexpr GLenum rasterizerDiscard = 0x8C89;

struct Measurement {
    double msPerQuad;
    std::uint64_t shaded;
};

// The median of `repeats` timed draws of `iterations` quads each.
Measurement measure(int iterations, int repeats, const FragmentCounting& counting,
                    const SubmissionObserver& observer = nullptr) {
    std::vector<Measurement> runs;
    for (int i = 0; i < repeats; ++i) {
        const DrawnSection section = timedDraw(iterations, counting, observer);
        runs.push_back({section.elapsedMs / iterations, section.fragments.value_or(0)});
    }
    std::sort(runs.begin(), runs.end(),
              [](const Measurement& a, const Measurement& b) { return a.msPerQuad < b.msPerQuad; });
    return runs[runs.size() / 2];
}

GLuint useProgram(const ProgramSource& source) {
    const GLuint id = compileProgram(glenum::FRAGMENT_PROGRAM_ARB, source);
    bindTestProgram(FragmentProfile::ARB, id);
    setTestParameters(FragmentProfile::ARB, 0, id);
    return id;
}

FragmentCounting prepareContext() {
    platform::startUp();
    createGLWindow(0, 0, 512, 768);
    for (const char* name : {"GL_ARB_multitexture", "GL_ARB_vertex_program", "GL_ARB_fragment_program",
                             "GL_EXT_framebuffer_object", "GL_ARB_texture_float"})
        if (!gl::loadExtension(name))
            throw KorvexError(ErrorKind::general, std::string(name) + " not supported");
    loadTestTextures();
    createPbuffer(512, 768, 0, 4, 0);
    makePbufferCurrent();
    const GLenum front = pixelBufferDrawBuffer(glenum::FRONT);
    gl::glDrawBuffer(front);
    gl::glReadBuffer(front);
    const FragmentCounting counting = prepareFragmentCounting();
    if (!counting.occlusionQuery)
        throw KorvexError(ErrorKind::general,
                          "GL_ARB_occlusion_query is needed to verify the fragment count");
    return counting;
}

int report(int iterations, int repeats) {
    const FragmentCounting counting = prepareContext();
    useProgram({"!!ARBfp1.0", "MOV result.color, fragment.texcoord[0];", "END"});
    gl::glEnable(rasterizerDiscard);
    const Measurement harness = measure(iterations, repeats, counting);
    // The progress line as a terminal run shows it, on standard error.
    ProgressLine progress(true);
    progress.startTest(1, 1, "harness");
    progress.startSection(1, 1, iterations);
    const Measurement withProgress = measure(iterations, repeats, counting, progress.observer());
    progress.erase();
    gl::glDisable(rasterizerDiscard);
    const Measurement trivial = measure(iterations, repeats, counting);
    useProgram(loadProgramText("fasm_1.txt"));
    const Measurement blur = measure(iterations, repeats, counting);

    const std::uint64_t expected = static_cast<std::uint64_t>(pixelsPerIteration) * iterations;
    const double harnessShare = 100.0 * harness.msPerQuad / blur.msPerQuad;
    const double progressShare = 100.0 * withProgress.msPerQuad / blur.msPerQuad;
    std::printf("%d iterations per measurement, median of %d\n", iterations, repeats);
    std::printf("harness, rasterizer discarding:  %9.4f us per iteration\n", 1000.0 * harness.msPerQuad);
    std::printf("harness with the progress line:  %9.4f us per iteration\n", 1000.0 * withProgress.msPerQuad);
    std::printf("trivial program, 512 x 768:      %9.4f ms per quad\n", trivial.msPerQuad);
    std::printf("bundled blur, 512 x 768:         %9.4f ms per quad\n", blur.msPerQuad);
    std::printf("harness share of the blur's time: %8.3f %%\n", harnessShare);
    std::printf("with the progress line:           %8.3f %%\n", progressShare);
    std::printf("fragments shaded (blur):         %llu of %llu\n",
                static_cast<unsigned long long>(blur.shaded), static_cast<unsigned long long>(expected));
    const bool met =
        harnessShare < 1.0 && progressShare < 0.1 && blur.shaded == expected && trivial.shaded == expected;
    std::printf("%s\n", met ? "targets met" : "targets missed");
    return met ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const int iterations = argc > 1 ? std::atoi(argv[1]) : 200;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (iterations < 1 || repeats < 1) {
        std::fprintf(stderr, "usage: korvex_perf [iterations >= 1] [measurements >= 1]\n");
        return 2;
    }
    try {
        return report(iterations, repeats);
    } catch (const KorvexError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    } catch (const OrderlyStop& stop) {
        std::fprintf(stderr, "stopped with exit code %d\n", stop.exitCode);
    }
    return 1;
}
