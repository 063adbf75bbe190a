#include "app/measuring/iteration_calibration.h"

#include <algorithm>
#include <cmath>

namespace {

// Sections vary from run to run; the margin keeps the timed ones above the
// minimum although the calibration section only just reached it.
constexpr double margin = 1.15;
// A section this share of the minimum is long enough to extrapolate from;
// a larger share would mostly lengthen the calibration.
constexpr double shareToExtrapolate = 1.0 / 50.0;

}  // namespace

int calibrateIterations(double minimumMs, const SectionTimer& timeSection) {
    int iterations = 1;
    for (;;) {
        const double elapsed = timeSection(iterations);
        if (elapsed >= minimumMs || iterations == mostIterations) return iterations;
        // In double, so that no count overflows before the cap.
        const double next = elapsed < minimumMs * shareToExtrapolate
                                ? iterations * 10.0
                                : std::ceil(iterations * margin * minimumMs / elapsed);
        iterations = static_cast<int>(std::min(std::max(next, iterations + 1.0), double(mostIterations)));
    }
}
