// What one pixel of a test's program costs, as its result line shows it and
// as its rates count it.
#pragma once

#include <string>

struct TestFigures {
    std::string label;
    int instructions;
    int flops;
    int texels;
    int bytesWritten;
};

// The bundled program's fixed figures: "Blur", 9 instructions, 73 flops,
// 5 texels and 4 bytes written per pixel.
inline TestFigures blurFigures() { return {"Blur", 9, 73, 5, 4}; }
