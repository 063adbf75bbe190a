// The measurement kernel: one frame-filling quad per iteration
// with the bound program, between two glFinish calls, on the
// high-resolution timer.
#pragma once

#include <cstdint>
#include <optional>

// How the timed section counts the fragments it shades: inside one
// GL_SAMPLES_PASSED query when the occlusion query loaded (the extension, or
// the core entry points of OpenGL 1.5), read in 64 bits when the timer query
// loaded too.
struct FragmentCounting {
    bool occlusionQuery = false;
    bool results64 = false;
};
extern FragmentCounting fragmentCounting;

// The state every test starts from: the pixel buffer's front buffer drawn and
// read, no depth test, and the frame cleared.
void setInitialDrawState();

// Loads the occlusion and timer query entry points, silently, and sets
// fragmentCounting. An active query also makes the driver shade every
// fragment of the overlapping quads instead of skipping the hidden ones.
void prepareFragmentCounting();

// Draws the quad `iterations` times and returns the milliseconds of the
// timed section. Before it, not timed: a plain warm-up quad and glFinish,
// the texture setup, and one more quad with all four texture-coordinate
// sets (inside a throwaway query when counting), so the driver compiles its
// shader variant outside the timed section.
double timedDraw(int iterations);

// Told the quads submitted so far every submissionStride quads of a timed
// section; null for no one. A stride keeps the call's cost out of the
// per-quad time.
using SubmissionObserver = void (*)(int submitted);
extern SubmissionObserver submissionObserver;
constexpr int submissionStride = 64;

// The fragments the last timedDraw shaded, when it could count them.
std::optional<std::uint64_t> lastFragmentCount();
