// The latency and bandwidth test of option -M: the first program writes to
// several draw buffers at once, and the run ends after its two lines.
#pragma once

// The bytes the timed section writes: components x 4 bytes per pixel for
// each output, over the frame that is really drawn.
double latencyByteCount(int components, int outputCount, int iterations);

// Prints "%4.4f ms latency" and "%4.4f GB/sec" for each surface side of the
// settings' range, from the median section with its spread line after
// several, writes the result files, then ends the run with exit code 0.
[[noreturn]] void latencyBandwidthTest();
