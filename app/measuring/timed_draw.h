// The measurement kernel: one frame-filling quad per iteration
// with the bound program, between two glFinish calls, on the
// high-resolution timer.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "bench/marlune_glwindow.h"

// How the timed section counts the fragments it shades: inside one
// GL_SAMPLES_PASSED query when the occlusion query loaded (the extension, or
// the core entry points of OpenGL 1.5), read in 64 bits when the timer query
// loaded too.
struct FragmentCounting {
    bool occlusionQuery = false;
    bool results64 = false;
};

// The pixels of one timed iteration: the fixed frame.
constexpr std::int64_t pixelsPerIteration = frameWidth * frameHeight;

// The state every test starts from: the pixel buffer's front buffer drawn and
// read, no depth test, and the frame cleared.
void setInitialDrawState();

// Loads the occlusion and timer query entry points, silently, and says how
// the timed sections can count. An active query also makes the driver shade
// every fragment of the overlapping quads instead of skipping the hidden
// ones.
FragmentCounting prepareFragmentCounting();

// Told the quads submitted so far every submissionStride quads of a timed
// section; empty for no one. A stride keeps the call's cost out of the
// per-quad time.
using SubmissionObserver = std::function<void(int submitted)>;
constexpr int submissionStride = 64;

// What one timed section measured: its milliseconds, and the fragments it
// shaded when `counting` could count them.
struct DrawnSection {
    double elapsedMs;
    std::optional<std::uint64_t> fragments;
    // What the section cost on the wall clock, its untimed warm-up included;
    // 0 where only elapsedMs is known.
    double costMs = 0.0;
};

// Draws the quad `iterations` times and returns what the timed section
// measured. Before it, not timed: a plain warm-up quad and glFinish, the
// texture setup, and one more quad with all four texture-coordinate sets
// (inside a throwaway query when counting), so the driver compiles its
// shader variant outside the timed section.
DrawnSection timedDraw(int iterations, const FragmentCounting& counting,
                       const SubmissionObserver& observer = nullptr);
