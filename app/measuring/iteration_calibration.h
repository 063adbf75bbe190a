// The iteration count of a minimum-time run: grown outside the timed
// sections until one section of it lasts the minimum time.
#pragma once

#include <functional>

// Times one section of the given number of quads, in milliseconds.
using SectionTimer = std::function<double(int iterations)>;

// The largest count a section may use: the largest -I value.
constexpr int mostIterations = 0x7FFFFFFF;

// Starting at 1 quad, multiplies the count by 10 while a section lasts under
// a fiftieth of `minimumMs`, then extrapolates to 15% above it and times that
// count again, until a section reaches `minimumMs`. Returns that count, or
// mostIterations when even it falls short.
int calibrateIterations(double minimumMs, const SectionTimer& timeSection);
