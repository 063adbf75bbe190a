// The shape of a test's program as the run's settings give it: what makes a
// test the same test in another run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "bench/settings.h"

// The settings' codes, as BenchSettings holds them.
struct ProgramShape {
    std::uint8_t profile;
    int nvOption;
    std::optional<std::uint8_t> instruction;  // none for the bundled program
    int length;
    int components;
    bool clamp;
    int precisionHint;
    std::string instructionPrecision;
    int temporaries;
    int branching;
    int textureFetches;
    int fetchTexture;
    bool multiTexCoords;
    int localParameters;
    int outputs;
    bool vectorAndScalar;
};

// The shape `settings` give the program of `instruction`.
ProgramShape programShape(const BenchSettings& settings, std::optional<std::uint8_t> instruction);
